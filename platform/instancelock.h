#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace tavlo {

// Held while the program runs, so that a second copy can tell. A lock left behind
// by a process that no longer exists is taken over.
class InstanceLock {
public:
    explicit InstanceLock(QString path = defaultPath());
    ~InstanceLock();
    static QString defaultPath(); // tavlo.lock in the user's runtime folder

    // False only when a live holder (another process, or another InstanceLock) has the
    // lock. True as well when no lock can be made at all (an unwritable folder): a copy
    // that cannot tell is let run.
    bool tryAcquire();

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tavlo
