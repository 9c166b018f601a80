#include "platform/InstanceLock.h"

#include "platform/LockingOpen.h"

#include <unistd.h>

InstanceLock::State InstanceLock::Take(const std::string& path)
{
    Release();
    LockingOpen::Result opened = LockingOpen::Open(path, true, true);
    m_error = opened.error;
    switch (opened.outcome) {
    case LockingOpen::Outcome::Locked:
        m_fd = opened.fd.Take();
        return State::Held;
    case LockingOpen::Outcome::HeldElsewhere:
        return State::HeldElsewhere;
    case LockingOpen::Outcome::NotOurs:
        return State::NotOurs;
    case LockingOpen::Outcome::NoLocking:
    case LockingOpen::Outcome::Failed:
        break;
    }
    return State::Unavailable;
}

void InstanceLock::Release()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}
