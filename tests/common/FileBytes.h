#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace kwemo::test {

// A file's bytes, or none when it cannot be read.
inline QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

inline QByteArray native(const QString& path) { return QFile::encodeName(path); }

// Runs work here; false when it blocked on the FIFO at `fifo`. Code that opens a FIFO would wait
// for ever: after a generous wait a watchdog opens it from both sides until work returns.
inline bool finishesWithoutBlocking(const std::function<void()>& work, const QString& fifo) {
  using namespace std::chrono_literals;
  std::atomic<bool> done{false}, rescued{false};
  std::thread watchdog([&] {
    for (int i = 0; i < 1000 && !done; ++i) std::this_thread::sleep_for(10ms);
    while (!done) {
      rescued = true;
      const int rd = ::open(native(fifo).constData(), O_RDONLY | O_NONBLOCK);
      const int wr = ::open(native(fifo).constData(), O_WRONLY | O_NONBLOCK);
      std::this_thread::sleep_for(50ms);
      for (int fd : {rd, wr})
        if (fd >= 0) ::close(fd);
    }
  });
  work();
  done = true;
  watchdog.join();
  return !rescued;
}

}  // namespace kwemo::test
