#pragma once

#include "import/ExportedPlays.h"
#include "import/LogMerge.h"

#include <string>
#include <vector>

class CZarn2Doc;

// A title of an export file set against the library, as the play import dialog shows it.
struct PlayImportRow {
    std::string genre;
    std::string title;
    size_t plays = 0;       // in the file
    bool missing = false;   // the library has no such title
    bool create = false;    // for a missing title: made before its plays go in (the user's choice)
    std::string problem;    // why the title cannot be made (a name the rules refuse, no room in the library)
};

// The plays of an export file brought into the titles' logs, matched by genre and title
// name. A title the library lacks is made only when chosen (its genre too, when missing),
// in one library change per genre with the program the file names; each log is then
// rewritten once (LogMerge).
namespace PlayImport {

std::vector<PlayImportRow> Rows(const CZarn2Doc& doc, const std::vector<ExportedTitle>& titles);

struct Outcome {
    LogMerge::Counts counts;
    size_t skipped = 0;             // plays of titles left out (missing and not made, or refused)
    std::vector<std::string> failures;  // what could not be done, for the user
};

// `rows` as Rows gave them, with the user's choices.
Outcome Apply(CZarn2Doc& doc, const std::vector<ExportedTitle>& titles, const std::vector<PlayImportRow>& rows);

// The message that says how it went.
std::string Summary(const Outcome& outcome);

}  // namespace PlayImport
