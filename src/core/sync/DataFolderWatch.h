#pragma once

#include <QObject>
#include <QTimer>

#include <memory>
#include <set>
#include <string>
#include <vector>

class CZarn2Doc;
class IFolderWatch;

// What changed in the watched folders over one settling time.
struct DataFolderChanges {
    std::set<std::string> paths;    // every entry reported (folder + "/" + name)
    std::set<std::string> folders;  // folders where anything may have changed (changes lost)

    // Whether the entry at `path` may have changed.
    bool Touches(const std::string& path) const;
    // Whether an entry of `folder` whose name ends with `suffix` may have changed.
    bool TouchesIn(const std::string& folder, const std::string& suffix) const;
    // Whether a sync tool's conflict copy (sync/ConflictName) may have come.
    bool MayBringConflictCopy() const;
};

// Watches the library's folders for changes made elsewhere (another PC through a synced
// folder, another program): the folder of the genre list, the data folder with the genre
// files, and every genre's folder with its logs. Entries reported within kSettleMs of the
// first are delivered together through Changed, so a sync tool's burst of renames arrives
// as one; the temporary files of our own atomic rewrites and of sync tools are left out.
// No timer runs while nothing changes. Anyone may connect to Changed: the view reloads the
// library from it, and own writes are told apart by their file versions (DiskVersion).
class DataFolderWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int kSettleMs = 500;

    explicit DataFolderWatch(std::unique_ptr<IFolderWatch> watch, QObject* parent = nullptr);
    ~DataFolderWatch() override;

    // Watches the folders of `doc`'s files as the library stands now; called again after
    // the genres changed. A folder that is not there yet is watched once it is made (or
    // moved in). 0, or the errno of a folder that could not be watched.
    int Follow(const CZarn2Doc& doc);

Q_SIGNALS:
    void Changed(const DataFolderChanges& changes);

private:
    void Note(const std::string& folder, const std::string& name);
    void Deliver();

    std::unique_ptr<IFolderWatch> m_watch;
    std::vector<std::string> m_folders;  // the folders Follow asked for, there or not yet
    QTimer m_settle;
    DataFolderChanges m_pending;
};
