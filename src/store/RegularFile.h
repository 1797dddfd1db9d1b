#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>

namespace kwemo {

// Reading files that someone else may have put in our way: only a regular file is ever opened
// for its content. A FIFO would block the open for ever, a device may act on being opened, a
// directory has no content; the check is made on the opened descriptor (opened without
// blocking), so a swap between a look at the name and the open changes nothing.
struct RegularFileRead {
  enum class Status {
    Read,        // the whole file is in `bytes`
    TooLarge,    // `bytes` holds its first `limit` bytes only
    Missing,     // nothing stands at the name
    NotRegular,  // something other than a regular file stands there (`reason` says what)
    Failed,      // open or read failed (`reason` says why)
  };
  Status status = Status::Missing;
  QByteArray bytes;
  QString reason;  // for messages, e.g. "is a named pipe (FIFO)"
};

// Follows symbolic links, as a reader should; reads at most `limit` bytes.
RegularFileRead readRegularFile(const QString& path, qint64 limit);

// Opens `path` for reading only when it is a regular file (links followed), without blocking.
// Returns the descriptor (close-on-exec) or -1 with `reason` set and `notRegular` telling
// whether something other than a regular file stands there.
int openRegularFile(const QString& path, QString& reason, bool* notRegular = nullptr);

// What a file of this type is, for a message: "is a directory", "is a named pipe (FIFO)", ...
QString describeFileType(mode_t mode);

// The system's text for an errno value.
QString systemReason(int error);

}  // namespace kwemo
