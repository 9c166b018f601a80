#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CZarn2App;

// A library change of several steps (a title moved to another genre, a title renamed or
// deleted, all titles of a genre deleted, a genre renamed or deleted, titles imported into
// a genre, new or listed) is written down in
// the temporary folder before its first step and removed after its last. A start that
// finds such a record finishes the change before the library is loaded, so a process
// killed between two steps leaves a library that loads whole. Every step of a change is
// written so that a step already made is found made and not made again.
//
// A record is never obeyed on its word: its names pass the dialogs' rules, and its change
// is finished only when the files show a step of exactly that change made. A record whose
// change shows no step made is dropped (the change did not happen); one that fits neither
// is put aside ("Zarn2.Intent.rejected", "Zarn2.Intent.2.rejected", …), never deleted.
class PendingChange {
public:
    enum class Kind {
        MoveMember,
        RenameGroup,
        DeleteGroup,
        RenameMember,
        DeleteMember,
        DeleteAllMembers,
        AddMembers
    };
    struct Record {
        Kind kind = Kind::MoveMember;
        std::vector<std::string> args;  // names and values, as the kind lists them
    };

    // Writes the record (nothing is written without a temporary folder). When it cannot
    // be written, or the change's folders and files may not be written (WritePlaces),
    // Started() is false after a message, and the change must not begin.
    PendingChange(const CZarn2App* app, Record record);
    // Removes the record, unless Keep() was called.
    ~PendingChange();
    PendingChange(const PendingChange&) = delete;
    PendingChange& operator=(const PendingChange&) = delete;

    // The record a stopped run left behind, if there is one. One that cannot be read (a
    // symbolic link is never followed), or is none of ours, is reported and put aside, so
    // that it is reported once: nullopt.
    static std::optional<Record> Find(const CZarn2App& app);
    // Takes over a record found so, to finish its change.
    static PendingChange Resume(const CZarn2App& app, Record record);

    bool Started() const { return m_started; }
    // Whether this finishes a stopped run's change (a step may be found made already).
    bool Resumed() const { return m_resumed; }
    const Record& Get() const { return m_record; }
    // The change stopped half done after a failure that could not be undone: the record
    // stays, and the next start finishes the change.
    void Keep() { m_keep = true; }
    // A stopped run's change whose files show no step of it made: the change did not
    // happen. The record is removed and the user told which change was not made.
    void NotMade();
    // A stopped run's change the files fit neither before nor after any of its steps
    // (`found` says what they show, for the user): the record is put aside, with a message.
    void Refuse(const std::string& found);

    // Moves `from` to `to`, never replacing. When finishing a stopped run's change, a move
    // found made (`from` gone, `to` there) is not made again. Returns 0, or the errno.
    int Move(const std::string& from, const std::string& to) const;

    static constexpr char kFileName[] = "Zarn2.Intent";
    // A record put aside is "<kFileName>[.<n>].<kAsideTag>" (MoveAside).
    static constexpr char kAsideTag[] = "rejected";
    // A record names a few genres and titles (an import up to a genre's 128 titles with
    // their programs); anything larger is no record of ours.
    static constexpr std::uint64_t kMaxBytes = 256 * 1024;

private:
    PendingChange(std::string path, Record record);

    std::string m_path;  // "" when nothing was written
    Record m_record;
    bool m_started = true;
    bool m_resumed = false;  // the change of a stopped run
    bool m_keep = false;
};
