#pragma once

#include "history/CPlayTime.h"
#include "history/RawPlayLog.h"

#include <optional>
#include <string>
#include <vector>

struct LocalDateTime;

// The plays of a title's log being edited: plays deleted, changed and added, kept as
// operations on the records of the log as it was read, and applied again to the log as it
// is read right before it is written. Every record no operation touches stays byte for
// byte as it was and where it was (damaged records and lines included), and a record
// another writer added in the meantime is kept. An added play goes to its place by start:
// after the last play that started at the same moment or earlier, or before the first
// play when none did. A changed play keeps its place unless its start changed, then it
// moves to its place by start.
class PlayLogEdit {
public:
    // One play shown for editing, in the order it would be written. `key` names the play
    // for the operations, whatever rows come and go before it.
    struct Row {
        CPlayTime play;
        int key = 0;
    };
    // Why a play cannot be recorded.
    enum class Refusal { None, BeforeEpoch, Future, TooLong };

    explicit PlayLogEdit(std::vector<RawPlayLog::Record> read);

    const std::vector<Row>& Rows() const { return m_rows; }
    // The row of the play `key` names, or -1.
    int RowOfKey(int key) const;
    // Whether the edit changes the log it was read from.
    bool Changed() const;

    // Deletes the plays of these rows.
    void Delete(const std::vector<int>& rows);
    // Sets the start and elapsed time of the play of `row`; its row afterwards.
    int Change(int row, const CPlayTime& play);
    // Adds a play; its row.
    int Add(const CPlayTime& play);

    // Whether `play` (start and elapsed time) overlaps another play of the rows, the play of
    // row `except` left out.
    bool Overlaps(const CPlayTime& play, int except = -1) const;
    // Whether the log can hold `play` started by `now`: a start from 2008 on, not after
    // `now`, and an end within the 32-bit count of seconds from 2008.
    static Refusal Check(const CPlayTime& play, const LocalDateTime& now);
    static std::string RefusalText(Refusal refusal);

    // What the edit did to the plays of the log it was read from: a play deleted (no
    // `after`), changed, or added (no `before`), in the order of the log's records.
    struct PlayChange {
        std::optional<CPlayTime> before;
        std::optional<CPlayTime> after;
    };
    std::vector<PlayChange> Changes() const;

    // The bytes of the log after this edit, when `fresh` is what the log holds now.
    std::string Apply(const std::vector<RawPlayLog::Record>& fresh) const;

private:
    struct Entry {
        RawPlayLog::Record record;
        int key = 0;
        bool removed = false;
    };
    struct Operation {
        enum class Kind { Delete, Change, Add } kind;
        int key = 0;
        CPlayTime play;
    };

    // The records of `read` with their keys (those of the read this edit began with, found
    // again by their bytes), after every operation.
    std::vector<Entry> Replay(const std::vector<RawPlayLog::Record>& read) const;
    void Refresh();

    std::vector<RawPlayLog::Record> m_read;
    std::vector<Operation> m_operations;
    int m_nextAdded = -1;  // keys of added plays count down from -1
    std::vector<Entry> m_entries;
    std::vector<Row> m_rows;
};
