#include "view/DiskChangeFollower.h"

#include "app/CZarn2App.h"
#include "library/CZarn2Doc.h"
#include "sync/DataFolderWatch.h"
#include "library/ILibraryJournal.h"
#include "platform/FolderListings.h"
#include "sync/CopySettling.h"
#include "view/CZarn2View.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <utility>

DiskChangeFollower::DiskChangeFollower(CZarn2Doc& doc, CZarn2View& view, DataFolderWatch& watch)
    : QObject(&view), m_doc(doc), m_view(view), m_watch(watch), m_settle(new QTimer(this)),
      m_shownReloads(doc.m_nDiskReloads)
{
    connect(&m_watch, &DataFolderWatch::Changed, this, &DiskChangeFollower::OnChanged);
    m_settle->setSingleShot(true);
    m_settle->setTimerType(Qt::PreciseTimer);
    connect(m_settle, &QTimer::timeout, this, [this] {
        m_mergeDue = true;
        ApplyWhenFree();
    });
}

void DiskChangeFollower::Begin()
{
    m_watch.Follow(m_doc);
    // What changed between the library's load and the watch is shown like any later change.
    ApplyWhenFree();
}

void DiskChangeFollower::Release()
{
    m_held = false;
    if (m_pending)
        ApplyWhenFree();
}

void DiskChangeFollower::OnChanged(const DataFolderChanges& changes)
{
    m_mergeDue = m_mergeDue || changes.MayBringConflictCopy();
    m_logsDue = m_logsDue || TouchesLogs(changes);
    if (m_pending || m_mergeDue || m_logsDue || Concerns(changes))
        ApplyWhenFree();
}

bool DiskChangeFollower::Concerns(const DataFolderChanges& changes) const
{
    return changes.Touches(m_doc.m_szGroupListFile) || changes.TouchesIn(m_doc.m_pApp->m_szDataDir, ".Zarn") ||
           (m_doc.m_pJournal != nullptr &&
            changes.TouchesIn(m_doc.m_pApp->m_szDataDir + "/" + ILibraryJournal::kFolderName, ".log"));
}

// A log of any genre: the charts count every title's plays, not only the current title's.
bool DiskChangeFollower::TouchesLogs(const DataFolderChanges& changes) const
{
    for (int i = 0; i < std::clamp(m_doc.m_nGroupCount, 0, CZarn2Doc::kMaxGroups); ++i)
        if (changes.TouchesIn(m_doc.m_Group[static_cast<size_t>(i)].m_szGroupDir, ".Log"))
            return true;
    return false;
}

bool DiskChangeFollower::Free() const
{
    return !m_held && QThread::currentThread()->loopLevel() <= 1 && QApplication::activeModalWidget() == nullptr &&
           QApplication::activePopupWidget() == nullptr && !m_view.m_bBusy;
}

void DiskChangeFollower::ApplyWhenFree()
{
    if (Free()) {
        Apply();
        return;
    }
    m_pending = true;
    if (m_waiting)
        return;
    // The dispatcher says so each time it is about to wait for events; once that is the
    // main loop's wait with nothing open, the reload is posted to run as the next event there
    // (a message shown before the main loop runs waits in a loop of the same level: posting
    // then would only wake it again at once, over and over).
    m_waiting = connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this, [this] {
        if (!Free())
            return;
        disconnect(m_waiting);
        m_waiting = {};
        QTimer::singleShot(0, this, [this] {
            if (m_pending)
                ApplyWhenFree();
        });
    });
}

void DiskChangeFollower::Apply()
{
    m_pending = false;
    // A copy is merged only here, with no play running: a log is never rewritten under an
    // append. The start's own passes, when it left them, are the first (they merge too).
    if (m_doc.SweepLeftFolders())
        m_mergeDue = false;
    if (std::exchange(m_mergeDue, false)) {
        FolderListings listings;
        m_doc.MergeCopies(listings);
    }
    MergeWhenCopiesSettle();
    // The library files worked out from every PC's journal (before they are read again).
    if (m_doc.m_pJournal)
        m_doc.m_pJournal->Reconcile();
    bool logs = std::exchange(m_logsDue, false);
    bool reloaded = m_doc.ReloadChanged() || m_doc.m_nDiskReloads != m_shownReloads;
    m_shownReloads = m_doc.m_nDiskReloads;
    m_watch.Follow(m_doc);  // genres may have come or gone, here or elsewhere
    if (reloaded) {
        m_view.FillGroupList();
        m_view.FillMemberList();
        m_view.UpdateStatistics();
        return;
    }
    CGroup* group = m_doc.ShownGroup();
    int title = group != nullptr ? group->IndexOf(group->CurrMemberName()) : -1;
    bool shownLog = false;
    if (title >= 0) {
        CMember& member = group->m_Member[static_cast<size_t>(title)];
        shownLog = member.m_logVersion.Changed(member.m_szLogFile);
    }
    if (shownLog)
        m_view.UpdateStatistics();  // the statistics, and the charts that follow them
    else if (logs)
        Q_EMIT m_view.StatisticsUpdated();  // another title's log: only the charts count it
}

// Nothing on disk tells that a copy stopped changing: the pass for it is timed.
void DiskChangeFollower::MergeWhenCopiesSettle()
{
    constexpr std::int64_t kMarginMs = 20;
    const std::int64_t next = CopySettling::ThisRun().NextSettleInMs();
    if (next < 0)
        m_settle->stop();
    else
        m_settle->start(static_cast<int>(std::min(next, CopySettling::kSettleMs) + kMarginMs));
}
