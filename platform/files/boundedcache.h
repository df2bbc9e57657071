#pragma once

#include "platform/files/filekey.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <list>
#include <optional>
#include <utility>

// Values made from files, kept while the file is unchanged and while they fit
// a budget; the least recently used go first. Safe to use from several
// threads at once.
template <typename Value> class BoundedCache {
public:
    explicit BoundedCache(qint64 budget) : m_budget(budget) {}

    std::optional<Value> find(const FileKey& key) {
        const QMutexLocker lock(&m_mutex);
        const auto found = m_index.find(key);
        if (found == m_index.end())
            return std::nullopt;
        m_order.splice(m_order.begin(), m_order, found.value());
        return found.value()->value;
    }

    // Keeps value at the given cost; one costing more than the whole budget
    // is not kept.
    void insert(const FileKey& key, const Value& value, qint64 cost) {
        const QMutexLocker lock(&m_mutex);
        dropLocked(key);
        if (cost > m_budget)
            return;
        m_order.push_front({key, value, cost});
        m_index.insert(key, m_order.begin());
        m_used += cost;
        while (m_used > m_budget)
            dropLocked(m_order.back().key);
    }

    void clear() {
        const QMutexLocker lock(&m_mutex);
        m_order.clear();
        m_index.clear();
        m_used = 0;
    }

    qint64 used() const {
        const QMutexLocker lock(&m_mutex);
        return m_used;
    }

private:
    struct Entry {
        FileKey key;
        Value value;
        qint64 cost;
    };

    void dropLocked(const FileKey& key) {
        const auto found = m_index.find(key);
        if (found == m_index.end())
            return;
        m_used -= found.value()->cost;
        m_order.erase(found.value());
        m_index.erase(found);
    }

    mutable QMutex m_mutex;
    const qint64 m_budget;
    qint64 m_used = 0;
    std::list<Entry> m_order; // most recently used first
    QHash<FileKey, typename std::list<Entry>::iterator> m_index;
};
