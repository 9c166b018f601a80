#pragma once

#include <string>

// Why the library refused to add, rename or edit a genre or a title. The refusing
// operation has shown its message already; the reason tells the caller what may come
// next (a new entry in the dialog, or nothing).
enum class Refusal {
    None,
    Duplicate,     // the name is in use in the library or in the genre
    UnsafeName,    // empty, "." or "..", "/", control characters
    WindowsName,   // a name the Windows version cannot store as a file name
    TooLong,       // a name or a path longer than its file name or file line takes
    NotCp932,      // text code page 932 cannot hold, or gives back changed
    TakenOnDisk,   // a folder, genre file or log file of that name is already there
    FileSystem,    // a folder or file could not be created, moved or written
    Unreadable,    // the genre file or list could not be read, so it is not written over
    Full,          // 32 genres, or 128 titles in the genre
    Inconsistent,  // a count or index check failed, or there is no current genre or title
    Gone,          // the genre or title was deleted or renamed elsewhere since it was shown
};

// Whether the user can mend the refusal by entering another name or path.
constexpr bool EntryCanMend(Refusal reason)
{
    switch (reason) {
    case Refusal::Duplicate:
    case Refusal::UnsafeName:
    case Refusal::WindowsName:
    case Refusal::TooLong:
    case Refusal::NotCp932:
    case Refusal::TakenOnDisk:
        return true;
    default:
        return false;
    }
}

// The result of an operation that adds, renames or edits a genre or a title: the value
// the library's callers read (an index or a count; -1 when refused) and the reason.
struct EditResult {
    int value = -1;
    Refusal reason = Refusal::None;

    static EditResult Done(int result) { return {result, Refusal::None}; }
    static EditResult Refused(Refusal why) { return {-1, why}; }
    // A result of Save(): -1 means the genre file could not be written.
    static EditResult Saved(int count) { return count < 0 ? Refused(Refusal::FileSystem) : Done(count); }

    // Read as the plain result wherever only the value matters.
    operator int() const { return value; }
};

// The reason for a folder or file that could not be created or moved to `target` with
// the error `err`: the name is taken when something is there already.
Refusal DiskRefusal(int err, const std::string& target);

// The message of a rewrite given up because the file (named as in the message) changed
// on disk since it was read.
std::string ChangedElsewhereMessage(const std::string& file);
// The message of a command whose genre or title (`what`: "ジャンル" or "タイトル") is no
// longer there when the library was read again.
std::string GoneElsewhereMessage(const char* what, const std::string& name);
