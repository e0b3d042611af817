#include "platform/instancelock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace tavlo {

InstanceLock::InstanceLock(QString path)
    : m_lock(std::make_unique<QLockFile>(path))
{
    // The lock is held for the whole run, so its age says nothing; only a holder that
    // no longer exists makes it stale.
    m_lock->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::defaultPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QLatin1String("/tavlo.lock");
}

bool InstanceLock::tryAcquire()
{
    if (m_lock->isLocked())
        return true;
    QDir().mkpath(QFileInfo(m_lock->fileName()).absolutePath());
    if (m_lock->tryLock(0))
        return true;
    // Only a lock held by another live copy refuses; a folder where no lock can be
    // made at all must not keep the program from ever starting.
    return m_lock->error() != QLockFile::LockFailedError;
}

} // namespace tavlo
