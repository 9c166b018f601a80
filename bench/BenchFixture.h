#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Program folders for the benchmarks, written with the library's own file formats: the
// settings file, the genre list file, one genre file and genre folder a genre, one log a
// title and one .ico file a title position (shared by the genres), or a Windows program a
// title (hard links of one program a title position).
namespace BenchFixture {

struct Library {
    int genres = 32;
    int titles = 127;
    int sessions = 256;   // sessions in every title's log
    int currGroup = 0;
    int currMember = 126;
    int minimize = 1;     // the setting: minimise the window while a recorded title runs
    std::string exePath;  // every title's program; empty: a path per title that need not exist
    // Every title's icon read from its own Windows program (a file per title of this size,
    // mostly a hole) instead of an .ico file.
    bool programIcons = false;
    std::uint32_t programBytes = 4u << 20;
};

std::string GenreName(int genre);
std::string TitleName(int genre, int title);

// The bytes of a log of `sessions` sessions (start line, duration line, "\r\n" ends),
// one session a day from 2012-01-01 on.
std::string LogText(int sessions, int seed);

// Creates the folder and its parents; aborts the benchmark when it cannot.
void MakeDirs(const std::string& path);
// Writes a file whole; aborts the benchmark when it cannot.
void WriteBytes(const std::string& path, const std::string& bytes);
// A fresh empty folder below `base` when it is a folder, else below the system's
// temporary folder.
std::string TempFolder(const char* tag, const char* base = nullptr);
void RemoveTree(const std::string& path);

// Writes the program folder `dir` (created when missing) and returns the path the
// program runs from inside it ("<dir>/Zarn2"): the library reads "<dir>/Zarn2.Grp".
std::string WriteProgramFolder(const std::string& dir, const Library& shape);

// The floor the log reader is measured against: the whole file read in large pieces into
// `bytes` and cut into `lines` (views into `bytes`); the count of lines. Aborts the
// benchmark when the file cannot be opened.
size_t ReadLines(const std::string& path, std::string& bytes, std::vector<std::string_view>& lines);

}  // namespace BenchFixture
