#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

// How a file operation failed where the caller acts on more than the words.
enum class FileFault {
    Other,
    // Another program changed the file, or took its name, since it was read
    // or the write began; what it put there was left alone.
    ChangedMeanwhile,
};

// Why a file operation failed: the file, and what went wrong in words for
// the user, to follow a colon in a message ("it does not exist").
struct FileFailure {
    QString path;
    QString why;
    FileFault fault = FileFault::Other;
    bool operator==(const FileFailure&) const = default;
};

// What a file operation that can fail came to: its value, or why it failed.
// The one way the file code reports failure; it must be looked at.
template <typename T> class [[nodiscard]] FileResult {
public:
    FileResult(T value) : m_state(std::move(value)) {}
    FileResult(FileFailure failure) : m_state(std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }
    // Only when ok().
    const T& value() const { return std::get<0>(m_state); }
    const T& operator*() const { return value(); }
    const T* operator->() const { return &value(); }
    // Only when not ok().
    const FileFailure& failure() const { return std::get<1>(m_state); }

private:
    std::variant<T, FileFailure> m_state;
};

// An operation that gives nothing back but success.
template <> class [[nodiscard]] FileResult<void> {
public:
    FileResult() = default;
    FileResult(FileFailure failure) : m_failure(std::move(failure)) {}

    bool ok() const { return !m_failure; }
    explicit operator bool() const { return ok(); }
    const FileFailure& failure() const { return *m_failure; }

private:
    std::optional<FileFailure> m_failure;
};
