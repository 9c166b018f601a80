#include "launch/CGameFollower.h"

#include "launch/GameLook.h"
#include "launch/HandOffRules.h"
#include "platform/IClock.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <set>
#include <utility>

template <>
HandOffRules& Seam<HandOffRules>::Fallback()
{
    static HandOffRules defaults;
    return defaults;
}

CGameFollower::CGameFollower(GameMarks marks, std::int64_t beganBootMs)
    : m_marks(std::move(marks)), m_processes(beganBootMs)
{
}

CGameFollower::~CGameFollower() = default;

CGameFollower::Outcome CGameFollower::Run(std::int64_t commandMs)
{
    m_nEndMs = Clock::Get().MonotonicMs();
    m_bQuick = commandMs < std::min(HandOff::Get().handOverMs, HandOff::Get().graceMs);
    if (!m_marks.Any())
        return Outcome::NotFound;
    Look();
    if (!m_bDone) {
        QEventLoop loop;
        m_pLoop = &loop;
        loop.exec();
        m_pLoop = nullptr;
    }
    return m_outcome;
}

void CGameFollower::Stop()
{
    if (m_bDone)
        return;
    if (m_bSearching)
        m_nLeftOutMs = Clock::Get().MonotonicMs() - m_nEndMs;
    else if (m_nGoneSinceMs >= 0)
        m_nLeftOutMs += Clock::Get().MonotonicMs() - m_nGoneSinceMs;
    Finish(m_bSearching ? Outcome::NotFound : Outcome::Followed);
}

// The first look after a command that may have handed over also tells a copy that was open
// before the play.
void CGameFollower::Look()
{
    if (m_bDone)
        return;
    const bool first = m_bSearching && m_nLooks++ == 0;
    GameLook::Result look = GameLook::Run(m_marks, m_processes, first && m_bQuick);
    if (m_bSearching)
        Search(!look.found.empty(), look.openCopy, look.found);
    else if (look.found.empty())
        Gone();
    else
        Watch(std::move(look.found));
}

// Nothing of the game is left: looks once more, a moment later, before the play ends there.
void CGameFollower::Gone()
{
    const std::int64_t now = Clock::Get().MonotonicMs();
    if (m_nGoneSinceMs < 0) {
        m_nGoneSinceMs = now;
        m_ends.clear();
        LookLater(kConfirmMs);
        return;
    }
    m_nLeftOutMs += now - m_nGoneSinceMs;
    Finish(Outcome::Followed);
}

void CGameFollower::Search(bool found, bool openCopy, std::vector<UserProcess>& processes)
{
    const std::int64_t now = Clock::Get().MonotonicMs();
    switch (HandOff::Get().Next(found, openCopy, m_marks.ByClient(), m_bQuick, now - m_nEndMs)) {
    case HandOffRules::Step::Follow: {
        // The hand-over is no play: from the command's end to the game's first start.
        std::int64_t firstStart = std::min_element(processes.begin(), processes.end(), [](const auto& a, const auto& b) {
                                      return a.startMs < b.startMs;
                                  })->startMs;
        std::int64_t startedAt = now - (UserProcesses::BootMsNow() - firstStart);
        m_nLeftOutMs = std::max<std::int64_t>(startedAt - m_nEndMs, 0);
        m_bSearching = false;
        Watch(std::move(processes));
        break;
    }
    case HandOffRules::Step::OpenCopy:
        Finish(Outcome::OpenCopy);
        break;
    case HandOffRules::Step::LookAgain:
        Tell("待機中: " + m_marks.Describe());
        LookLater(HandOff::Get().lookMs);
        break;
    case HandOffRules::Step::GiveUp:
        m_nLeftOutMs = now - m_nEndMs;
        Finish(Outcome::NotFound);
        break;
    }
}

// Keeps a descriptor on each process of the game and drops those of ended ones; a process
// whose end cannot be told so is looked for again after lookMs.
void CGameFollower::Watch(std::vector<UserProcess> processes)
{
    std::set<int> live;
    bool poll = false;
    for (const UserProcess& process : processes) {
        if (auto known = m_ends.find(process.pid); known != m_ends.end()) {
            // Its descriptor said it ended: the listing may still show it for a moment, and
            // no notice would come again.
            if (known->second.notifier->isEnabled())
                live.insert(process.pid);
            continue;
        }
        live.insert(process.pid);
        bool ended = false;
        int fd = UserProcesses::EndNotice(process, ended);
        if (fd < 0) {
            poll = poll || !ended;
            continue;
        }
        EndWatch& watch = m_ends[process.pid];
        watch.fd = ScopedFd(fd);
        watch.notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
        // A pidfd stays readable once its process has ended. The look comes from the event
        // loop, not from the notifier's own signal: it may drop that notifier.
        QObject::connect(watch.notifier.get(), &QSocketNotifier::activated, [this, pid = process.pid] {
            m_ends[pid].notifier->setEnabled(false);
            LookLater(0);
        });
    }
    for (auto it = m_ends.begin(); it != m_ends.end();)
        it = live.count(it->first) ? std::next(it) : m_ends.erase(it);
    if (m_ends.empty() && !poll) {
        Gone();
        return;
    }
    m_nGoneSinceMs = -1;
    Tell("実行中: " + GameLook::Names(std::move(processes)));
    if (poll)
        LookLater(HandOff::Get().lookMs);
}

void CGameFollower::LookLater(int ms)
{
    if (!m_pLookTimer) {
        m_pLookTimer = std::make_unique<QTimer>();
        m_pLookTimer->setSingleShot(true);
        QObject::connect(m_pLookTimer.get(), &QTimer::timeout, [this] { Look(); });
    }
    m_pLookTimer->start(ms);
}

void CGameFollower::Finish(Outcome outcome)
{
    m_bDone = true;
    m_outcome = outcome;
    if (m_pLookTimer)
        m_pLookTimer->stop();
    for (auto& [pid, watch] : m_ends)
        watch.notifier->setEnabled(false);
    if (m_pLoop)
        m_pLoop->quit();
}

void CGameFollower::Tell(const std::string& line)
{
    if (line == m_lastLine || !onWaiting)
        return;
    m_lastLine = line;
    onWaiting(line);
}
