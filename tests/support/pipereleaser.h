#pragma once

#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

// While it lives, opens the named pipe for writing and closes it again, over
// and over: a program that wrongly opened it fails a test instead of hanging.
class PipeReleaser {
public:
    explicit PipeReleaser(const QString& path)
        : m_thread([this, name = QFile::encodeName(path)] {
              while (!m_done) {
                  const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                  if (fd >= 0)
                      ::close(fd);
                  std::this_thread::sleep_for(std::chrono::milliseconds(20));
              }
          }) {}
    ~PipeReleaser() {
        m_done = true;
        m_thread.join();
    }
    PipeReleaser(const PipeReleaser&) = delete;
    PipeReleaser& operator=(const PipeReleaser&) = delete;

private:
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};
