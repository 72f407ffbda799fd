#include "fileio.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>

namespace zelmor::model {
namespace {

QString openFailure(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return QStringLiteral("il file non esiste");
        case EACCES:
        case EPERM:
            return QStringLiteral("accesso negato");
        default:
            return QStringLiteral("il file non si può aprire");
    }
}

// Why a file of this kind is not read, or nothing when it is an ordinary file.
QString kindFailure(const struct stat& st) {
    if (S_ISREG(st.st_mode)) return {};
    if (S_ISDIR(st.st_mode)) return QStringLiteral("è una cartella");
    return QStringLiteral("non è un file ordinario (è una pipe, un dispositivo o un socket)");
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

// Why writing `size` bytes into path failed, as far as the file system tells: QSaveFile only
// gives a technical text in English.
QString writeFailure(const QString& path, qsizetype size, const QString& technical) {
    const QFileInfo info(path);
    if (info.isDir()) return QStringLiteral("è una cartella");
    const QString folder = info.absolutePath();
    const QFileInfo folderInfo(folder);
    if (!folderInfo.exists()) return QStringLiteral("la cartella %1 non esiste").arg(folder);
    if (!folderInfo.isDir()) return QStringLiteral("%1 non è una cartella").arg(folder);
    const QStorageInfo storage(folder);
    if (storage.isValid() && storage.isReadOnly())
        return QStringLiteral("il disco è protetto dalla scrittura");
    if (storage.isValid() && storage.bytesAvailable() < size + 4096)
        return QStringLiteral("il disco è pieno");
    if (!folderInfo.isWritable() || (info.exists() && !info.isWritable()))
        return QStringLiteral("accesso negato");
    return QStringLiteral("errore di scrittura (%1)").arg(technical);
}

}  // namespace

QString writeWholeFile(const QString& path, const QByteArray& bytes) {
    QString technical;
    {
        QSaveFile file(path);
        // QSaveFile::commit() renames the temporary file over the target even when flushing
        // its buffer failed (a full disk): every byte is flushed and checked before that.
        if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
            file.error() == QFileDevice::NoError && file.commit()) {
            return {};
        }
        technical = file.errorString();
        file.cancelWriting();
    }  // the temporary file is gone: the free room is the disk's own again
    return writeFailure(path, bytes.size(), technical);
}

FileBytes readRegularFile(const QString& path, qsizetype limit) {
    FileBytes out;
    if (path.isEmpty()) {
        out.failure = QStringLiteral("il file non esiste");
        return out;
    }
    const QByteArray name = QFile::encodeName(path);
    // Looked at before opening, so that a device is never opened at all; looked at again on the
    // open descriptor, which is what is read.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) {
        out.failure = openFailure(errno);
        return out;
    }
    if (out.failure = kindFailure(st); !out.ok()) return out;
    // Without O_NONBLOCK, opening a pipe waits for a writer.
    const Descriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        out.failure = openFailure(errno);
        return out;
    }
    if (::fstat(fd.get(), &st) != 0) {
        out.failure = QStringLiteral("il file non si può leggere");
        return out;
    }
    if (out.failure = kindFailure(st); !out.ok()) return out;

    // One byte beyond the limit tells whether the file goes on. The buffer starts at the size
    // the file says it has and grows only for a file that grows while it is read.
    const qsizetype want = limit < 0 ? 1 : limit + 1;
    out.bytes.resize(std::clamp<qsizetype>(static_cast<qsizetype>(st.st_size) + 1, 1, want));
    qsizetype got = 0;
    while (got < want) {
        if (got == out.bytes.size()) out.bytes.resize(std::min(want, 2 * got));
        const ssize_t n = ::read(fd.get(), out.bytes.data() + got,
                                 static_cast<std::size_t>(out.bytes.size() - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            out.bytes.clear();
            out.failure = QStringLiteral("errore di lettura");
            return out;
        }
        if (n == 0) break;
        got += n;
    }
    out.bytes.truncate(got);
    if (got > limit) {
        out.bytes.truncate(std::max<qsizetype>(limit, 0));
        out.tooLong = true;
        out.failure = QStringLiteral("il file è troppo grande (più di %1 byte)")
                          .arg(std::max<qsizetype>(limit, 0));
    }
    return out;
}

FileStamp stampOf(const QByteArray& bytes) {
    return {bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)};
}

FileCheck checkFile(const QString& path, const FileStamp& stamp) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 &&
        (errno == ENOENT || errno == ENOTDIR))
        return FileCheck::Gone;
    // One byte more than the stamp's size is enough to see that the file has grown.
    const FileBytes now = readRegularFile(path, stamp.size);
    return now.ok() && stampOf(now.bytes) == stamp ? FileCheck::Same : FileCheck::Changed;
}

}  // namespace zelmor::model
