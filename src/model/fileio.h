// Files the user names: reading only an ordinary file, and only up to a limit, so that a named
// pipe, a device or a huge file never stalls the program; writing a file whole or not at all.
#pragma once

#include <QByteArray>
#include <QString>

namespace zelmor::model {

struct FileBytes {
    QByteArray bytes;      // the whole file; its first `limit` bytes when `tooLong`
    bool tooLong = false;  // the file goes on beyond the limit
    QString failure;       // empty when the file was read whole; otherwise why not, in Italian
    bool ok() const { return failure.isEmpty(); }
};

// Reads the file at path (links followed) when it is an ordinary file, at most `limit` bytes of
// it, without ever waiting on a pipe or a device. A file longer than the limit fails as too
// long, with its beginning in `bytes` for a reader that can use part of it.
FileBytes readRegularFile(const QString& path, qsizetype limit);

// Writes bytes as the new content of the file at path: into a temporary file beside it, which
// replaces it only once every byte is on the disk. On failure the file is left as it was and the
// result says why, in Italian ("il disco è pieno", ...); empty when done.
QString writeWholeFile(const QString& path, const QByteArray& bytes);

// What a file held: its size and a digest of its bytes, enough to tell later whether it still
// holds the same bytes.
struct FileStamp {
    qsizetype size = 0;
    QByteArray digest;  // SHA-256 of the bytes
    bool operator==(const FileStamp&) const = default;
};
FileStamp stampOf(const QByteArray& bytes);

// Whether the file at path still holds the bytes of `stamp`: the same, no longer there at all,
// or anything else (other bytes, no ordinary file, unreadable).
enum class FileCheck { Same, Gone, Changed };
FileCheck checkFile(const QString& path, const FileStamp& stamp);

}  // namespace zelmor::model
