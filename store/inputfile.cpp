#include "inputfile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quadrivium {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

Result<QByteArray> ReadInputFile(const QString &path, qint64 limit)
{
    using R = Result<QByteArray>;
    // Opened without blocking, so that a FIFO with no writer does not hang
    // the open; its kind is then read from the open file itself.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return R::failure(QStringLiteral("cannot read %1: %2").arg(path, systemError(errno)));
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return R::failure(QStringLiteral("cannot read %1: %2").arg(path, systemError(error)));
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        const QString kind = S_ISDIR(info.st_mode)    ? QStringLiteral("a folder, not a file")
                             : S_ISFIFO(info.st_mode) ? QStringLiteral("a pipe, not a file")
                                                      : QStringLiteral("not a regular file");
        return R::failure(QStringLiteral("cannot read %1: it is %2").arg(path, kind));
    }
    const auto tooLarge = [&] {
        ::close(fd);
        return R::failure(QStringLiteral("cannot read %1: it is larger than %2 MB").arg(path).arg(limit / (1024 * 1024)));
    };
    if (info.st_size > limit)
        return tooLarge();
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QByteArray bytes;
    bytes.reserve(qsizetype(info.st_size));
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return R::failure(QStringLiteral("cannot read %1: %2").arg(path, systemError(error)));
        }
        if (n == 0)
            break;
        if (bytes.size() + n > limit) // grew while being read
            return tooLarge();
        bytes.append(buffer, qsizetype(n));
    }
    ::close(fd);
    return bytes;
}

} // namespace quadrivium
