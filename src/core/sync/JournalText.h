#pragma once

#include "sync/JournalEntry.h"

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class MachineTable;

// The text of a change journal, "Zarn/.changes/<machine id>.log": UTF-8, one line each,
// fields separated by tabs (a tab, line end or backslash inside a field is written "\t",
// "\n", "\r", "\\"):
//
//   Zarn2 changes 1                     the first line
//   M  <n>  <machine id>                <n> (1, 2, …) stands for that machine in this file
//   S  <n>  <seq>                       the lines below were written having applied machine
//                                       <n>'s lines up to <seq>
//   <seq>  <stamp>  <kind>  <fields…>   a change (JournalEntry.h lists the kinds)
//
// A genre or title is named "<n>.<seq>" (the line that made it; 0 is this journal's own
// machine), or "=<genre>" and "=<genre>/<title>" by name. A line that does not read whole
// (the last one without its line end, a name that cannot be used, an unknown kind, a first
// line that is no header) is skipped and counted; a later format's header ends the reading.
namespace JournalText {

inline constexpr char kFormatName[] = "Zarn2 changes ";
inline constexpr char kHeader[] = "Zarn2 changes 1";

struct Read {
    bool journal = false;                 // a journal of this format (a damaged header reads as one)
    std::vector<Journal::Entry> entries;  // in file order; machines are the table's numbers
    int lastSeq = 0;                      // the highest number of a line read
    size_t damaged = 0;                   // lines skipped (a damaged header among them)
    bool cut = false;                     // the last of them had no line end yet
    std::vector<int> seen;                // the last "S" of each machine (by the table's numbers)
    std::map<int, int> aliases;           // the file's numbers of machines -> the table's
};

// `self` is the table's number of the machine the journal belongs to.
Read Parse(std::string_view bytes, int self, MachineTable& machines);

// Lines as written (each ends with "\n").
std::string MachineLine(int alias, const std::string& machineId);
std::string SeenLine(int alias, int seq);
// `alias` gives the number a machine of the table goes by in this file.
std::string EntryLine(const Journal::Entry& entry, const std::function<int(int machine)>& alias);

}  // namespace JournalText
