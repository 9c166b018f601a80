#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One change a PC made to the library, as its change journal holds it (sync/JournalText).
// Machines are numbered by the reader (sync/MachineTable): `machine` is the PC that wrote
// the line, and every id names the machine of the line that made the genre or title.
namespace Journal {

enum class Kind {
    GenreAdd,     // G+  name, mode
    GenreField,   // Gf  genre, field ("name" | "mode"), value
    GenreDelete,  // G-  genre
    GenreOrder,   // Go  genres…
    TitleAdd,     // T+  genre, name, exe, icon, auto, media
    TitleField,   // Tf  title, field ("name" | "exe" | "icon" | "auto" | "media"), value
    TitleMove,    // Tg  title, genre (to the end of it)
    TitleDelete,  // T-  title
    TitleOrder,   // To  genre, titles…
    PlayAdd,      // P+  title, play: recorded here
    PlaySeen,     // P~  title, play: found in a log without a line of its own
    PlayDelete,   // P-  title, play
    PlayChange,   // P>  title, play, the play it becomes
    PlaysClear,   // Pc  title: every play its author had seen
    GenreSelect,  // Gs  [genre]: the current genre (none without)
    TitleSelect,  // Ts  genre [title]: the genre's current title (none without)
};

// The id of a genre or title: the machine and number of the line that made it.
struct Id {
    int machine = -1;
    int seq = 0;
    bool operator==(const Id&) const = default;
    bool operator<(const Id& o) const { return machine != o.machine ? machine < o.machine : seq < o.seq; }
};

// A genre or title as a line names it: by id, or by name when its author knew it only from
// a file (`genre`, and `title` for a title).
struct Ref {
    Id id;
    std::string genre;
    std::string title;
    bool ById() const { return id.machine >= 0; }
};

// A play: its start (local time, as the decimal digits YYYYMMDDhhmmss, so that the order of
// the numbers is that of the moments) and its seconds.
struct Play {
    std::int64_t start = 0;
    int seconds = 0;
    bool operator==(const Play&) const = default;
    bool operator<(const Play& o) const { return start != o.start ? start < o.start : seconds < o.seconds; }

    static std::int64_t Start(int year, int month, int day, int hour, int minute, int second);
    // The start as the log writes it, "YYYY/MM/DD,hh:mm:ss".
    std::string StartText() const;
};

// A title's fields as added.
struct TitleFields {
    std::string name;
    std::string exe;
    std::string icon;
    int autoTiming = 1;
    int useMedia = 0;
    bool operator==(const TitleFields&) const = default;
};

// The fields of a change that most lines (plays) do not have, kept apart so that a journal of
// many plays stays small in memory.
struct Details {
    Ref target;             // Tg: the genre moved to; Ts: the title
    std::vector<Ref> order;  // Go, To
    std::string field;      // Gf, Tf
    std::string value;      // Gf, Tf; G+: the name
    int mode = 0;           // G+
    TitleFields title;      // T+
};

struct Entry {
    int machine = 0;
    int seq = 0;
    std::int64_t stamp = 0;  // milliseconds; above every stamp its author had seen
    Kind kind = Kind::GenreAdd;
    Ref subject;    // the genre or title changed (the genre of T+, To and Ts)
    Play play;      // P+ P~ P- P>
    Play changed;   // P>
    // What its author had applied of each machine's journal (index: machine; its own lines
    // count by `seq`). Shared by the lines between two "S" lines.
    std::shared_ptr<const std::vector<int>> seen;
    std::shared_ptr<Details> details;  // made by More() when a change has such fields

    Details& More()
    {
        if (!details)
            details = std::make_shared<Details>();
        return *details;
    }
    const Details& More() const
    {
        static const Details none;
        return details ? *details : none;
    }

    Id MadeId() const { return {machine, seq}; }
    // Whether its author had applied line `seq` of `machine` when writing it.
    bool Saw(int otherMachine, int otherSeq) const
    {
        if (otherMachine == machine)
            return otherSeq <= seq;
        return seen && otherMachine >= 0 && static_cast<size_t>(otherMachine) < seen->size() &&
               (*seen)[static_cast<size_t>(otherMachine)] >= otherSeq;
    }
    bool Saw(const Entry& other) const { return Saw(other.machine, other.seq); }
};

// The token of a kind in the journal ("G+", …), and back (false for an unknown token).
const char* KindToken(Kind kind);
bool KindOf(const std::string& token, Kind& kind);

}  // namespace Journal
