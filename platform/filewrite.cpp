#include "platform/filewrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavlo {

namespace {

std::optional<WriteStep> failingStep;
int failingError = ENOSPC;

// Every step asks first, so that a simulated failure looks like a real one to the caller.
bool simulated(WriteStep step)
{
    if (failingStep != step)
        return false;
    errno = failingError;
    return true;
}

WriteResult failure()
{
    return {QString::fromLocal8Bit(std::strerror(errno))};
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data += n;
        left -= n;
    }
    return true;
}

// A device, a pipe or a socket takes the bytes as they come, as `cat > name` would.
WriteResult writeThrough(const QByteArray& name, const QByteArray& bytes)
{
    const int fd = simulated(WriteStep::Open)
                       ? -1
                       : ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return failure();
    if (simulated(WriteStep::Write) || !writeAll(fd, bytes)) {
        const WriteResult result = failure();
        ::close(fd);
        return result;
    }
    if (::close(fd) != 0 || simulated(WriteStep::Close))
        return failure();
    return {};
}

// The file a write replaces: a link's target, so that the link stays.
QString replacedFile(const QString& path, bool exists)
{
    const QFileInfo info(path);
    if (exists)
        return info.canonicalFilePath();
    if (info.isSymLink())
        return info.symLinkTarget();
    return path;
}

int createTemporary(const QByteArray& target, QByteArray& name)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray() : target.left(slash + 1);
    const QByteArray base = target.mid(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + '.' + base + ".tavlo-" +
               QByteArray::number(QRandomGenerator::global()->generate(), 36);
        // 0666 less the umask, as any new file of the user's would be.
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

void syncFolderOf(const QByteArray& target)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder =
        slash < 0 ? QByteArray(".") : target.left(std::max<qsizetype>(1, slash));
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // The rename is done; some file systems cannot sync a folder, which is no failure.
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

void simulateWriteFailure(std::optional<WriteStep> step, int error)
{
    failingStep = step;
    failingError = error;
}

WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat old {};
    const bool exists = ::stat(name.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        return {QStringLiteral("Is a folder")};
    if ((exists && !S_ISREG(old.st_mode)) || name.startsWith("/dev/") || name.startsWith("/proc/"))
        return writeThrough(name, bytes);

    const QByteArray target = QFile::encodeName(replacedFile(path, exists));
    QByteArray temporary;
    const int fd = simulated(WriteStep::Open) ? -1 : createTemporary(target, temporary);
    const auto abandon = [&] {
        const WriteResult result = failure();
        ::close(fd);
        ::unlink(temporary.constData());
        return result;
    };
    if (fd < 0)
        return failure();
    if (simulated(WriteStep::Write) || !writeAll(fd, bytes))
        return abandon();
    if (exists) {
        // Only root may give a file away, so anyone else's refusal is no failure. The
        // mode comes after the owner, whose change clears set-id bits.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            (void)!::fchown(fd, old.st_uid, old.st_gid);
        ::fchmod(fd, old.st_mode & 07777);
    }
    if (simulated(WriteStep::Sync) || ::fsync(fd) != 0)
        return abandon();
    if (::close(fd) != 0 || simulated(WriteStep::Close)) {
        const WriteResult result = failure();
        ::unlink(temporary.constData());
        return result;
    }
    if (simulated(WriteStep::Rename) || ::rename(temporary.constData(), target.constData()) != 0) {
        const WriteResult result = failure();
        ::unlink(temporary.constData());
        return result;
    }
    syncFolderOf(target);
    return {};
}

} // namespace tavlo
