#pragma once

#include <QByteArrayView>
#include <QString>

#include <sys/stat.h>
#include <sys/types.h>

namespace kwemo {

// A file replaced as a whole inside a folder held open as a descriptor: the new content goes to
// a temporary file beside it ("<name>.XXXXXX"), is flushed to disk and only then renamed over the
// name, so the name always holds the old or the new content, never a half. Only a regular file
// or nothing may stand at the name; with Links::Replace a symbolic link may too, and is then
// replaced itself, never written through. Anything else (a directory, FIFO, device...) is left
// alone and reported.
class AtomicFile {
 public:
  enum class Links { Refuse, Replace };

  // dirFd stays the caller's and must stay open while this object lives; dirPath only names the
  // folder in messages.
  AtomicFile(int dirFd, QString dirPath, QString name);
  ~AtomicFile();  // an uncommitted temporary is removed
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Checks what stands at the name and creates the temporary. A new file gets `newFileMode`
  // (less the umask); a replaced regular file keeps its mode, plus reading and writing for its
  // owner.
  bool open(mode_t newFileMode, Links links = Links::Refuse);
  bool write(QByteArrayView bytes);
  // Flushes, renames over the name and flushes the folder. False: the name is as it was.
  bool commit();

  // The file's path, and "<path>: <reason>" after a failure.
  QString path() const;
  QString failure() const { return failure_; }

 private:
  bool fail(const QString& reason);
  bool checkTarget(Links links, struct stat* existing);

  int dirFd_;
  QString dirPath_, name_, tempName_;
  int fd_ = -1;
  Links links_ = Links::Refuse;
  QString failure_;
};

// Opens a folder (links followed) for AtomicFile; -1 with `reason` set when that fails.
int openFolder(const QString& path, QString& reason);

// Writes `bytes` as the whole new content of folder/name (see AtomicFile). Returns "" on
// success, else "<path>: <reason>".
QString replaceFile(const QString& folder, const QString& name, QByteArrayView bytes,
                    mode_t newFileMode, AtomicFile::Links links = AtomicFile::Links::Refuse);

}  // namespace kwemo
