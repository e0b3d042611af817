#pragma once

#include <QString>

namespace tavlo {

// Held while the program runs, so that a second copy can tell. The system lets go of
// it when the holder ends, however it ends, so no lock is ever left behind.
class InstanceLock {
public:
    explicit InstanceLock(QString path = defaultPath());
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    static QString defaultPath(); // tavlo.lock in the user's runtime folder

    // False only when a live holder (another process, or another InstanceLock) has the
    // lock. True as well when no lock can be made at all (an unwritable folder): a copy
    // that cannot tell is let run.
    bool tryAcquire();

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace tavlo
