#pragma once

#include "library/PendingChange.h"

#include <optional>
#include <string>

class TextFileReader;
class TextFileWriter;

// The change record's text: a header line, the kind, one line for each of its names and
// values. Nothing of a record is trusted: it lies in a folder anyone with the program's
// files may have filled.
namespace PendingChangeText {

void Write(const PendingChange::Record& record, TextFileWriter& writer);

// The record the lines hold, or nullopt with `problem` saying why they are none of ours:
// another header or kind, more or fewer lines than the kind has, or a name or path the
// dialogs would refuse (one that leads out of the data folder, say), or a value other
// than 0 or 1.
std::optional<PendingChange::Record> Read(TextFileReader& reader, std::string& problem);

// What the change is, for the user ("グループ [A] の削除").
std::string Describe(const PendingChange::Record& record);

}  // namespace PendingChangeText
