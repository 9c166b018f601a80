#pragma once

#include <cstddef>
#include <string>
#include <utility>

// What the load message of a file that is kept unread (it could not be read, or its bytes
// are not of its format) says happens to it.
inline constexpr const char* kKeptFile = "このファイルは書き換えずに残します.\n"
                                         "ファイルを確かめてから Zarn2 を起動し直して下さい.";

// Entries a file names but loading leaves out (unusable or repeated names, entries
// beyond the capacity) are reported in one message after the load: the first one with
// its reason, and how many more there were.
class LoadNotes {
public:
    // `file` names the file read ("Action.Zarn"), `entry` what it lists ("メンバー").
    LoadNotes(std::string file, std::string entry) : m_file(std::move(file)), m_entry(std::move(entry)) {}

    void Skip(const std::string& name, const std::string& reason);
    void Overflow(int capacity, size_t dropped);
    // Whether anything was left out (the file then no longer holds only what is loaded).
    bool LeftOut() const { return m_skipped > 0 || !m_overflow.empty(); }
    // The message adds that the file as it is now will be kept as `copyName` (a file name)
    // before it is first rewritten.
    void KeepOriginalAs(std::string copyName) { m_copyName = std::move(copyName); }
    // Shows the message when anything was left out.
    void Show() const;

private:
    std::string m_file;
    std::string m_entry;
    std::string m_copyName;
    std::string m_first;
    std::string m_overflow;
    int m_skipped = 0;
};
