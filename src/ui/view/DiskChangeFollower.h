#pragma once

#include <QObject>

#include <cstdint>

class QTimer;
class CZarn2Doc;
class CZarn2View;
class DataFolderWatch;
struct DataFolderChanges;

// Shows the library as it is on disk after its files changed elsewhere (another PC through
// a synced folder, another program). When the data folder watch reports the genre list, a
// genre file or a log of any genre, the library reads again what changed
// (CZarn2Doc::ReloadChanged: our own writes are no change) and the view fills its lists and
// statistics again, the current genre and title kept by name; a log alone draws the
// statistics again, and with them the charts, which count every title. Nothing is read while a
// dialog or message is open, a play runs or a command is in the middle of its work (any
// event loop inside the main one): the reload then comes right after, as soon as the
// event loop is back at its top, found without a timer. Conflict copies still being written
// (sync/CopySettling) get a pass of their own once they may have settled.
class DiskChangeFollower : public QObject {
    Q_OBJECT
public:
    DiskChangeFollower(CZarn2Doc& doc, CZarn2View& view, DataFolderWatch& watch);
    // Starts watching the library's folders, and shows what changed on disk since it was read,
    // after the passes over the folders the library's load left (CZarn2Doc::SweepLeftFolders).
    void Begin();
    // The program's start holds back what the watch shows until its own questions are
    // answered: they come before the main event loop runs, so nothing else tells them apart.
    void Hold() { m_held = true; }
    void Release();

private:
    void OnChanged(const DataFolderChanges& changes);
    bool Concerns(const DataFolderChanges& changes) const;
    bool TouchesLogs(const DataFolderChanges& changes) const;
    bool Free() const;
    void ApplyWhenFree();
    void Apply();
    void MergeWhenCopiesSettle();

    CZarn2Doc& m_doc;
    CZarn2View& m_view;
    DataFolderWatch& m_watch;
    bool m_pending = false;
    bool m_held = false;
    bool m_mergeDue = false;  // a conflict copy may have come: merged before the reload
    bool m_logsDue = false;   // a log changed: the statistics and charts are drawn again
    QMetaObject::Connection m_waiting;  // to the event dispatcher while a reload waits
    QTimer* m_settle;                   // the next pass for conflict copies still being written
    std::uint64_t m_shownReloads;       // CZarn2Doc::m_nDiskReloads the lists show
};
