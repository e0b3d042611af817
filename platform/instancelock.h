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

    bool tryAcquire();

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace tavlo
