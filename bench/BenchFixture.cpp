#include "BenchFixture.h"

#include "IcoFile.h"
#include "WindowsProgram.h"

#include "app/CSettings.h"
#include "app/ProgramPaths.h"
#include "app/SettingsFile.h"
#include "library/CGroup.h"
#include "library/GroupFile.h"
#include "library/GroupListFile.h"
#include "platform/Format.h"
#include "platform/TextFileWriter.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "bench fixture: %s\n", what.c_str());
    std::exit(2);
}

void Save(const TextFileWriter& writer, const std::string& path)
{
    TextFileWriter::Result result = writer.Save(path);
    if (!result.Ok())
        Fail("cannot write " + path);
}

std::string IcoPath(const std::string& dir, int title) { return Format("%s/Icons/icon-%03d.ico", dir.c_str(), title); }

void WriteIcons(const std::string& dir, int titles)
{
    BenchFixture::MakeDirs(dir + "/Icons");
    for (int t = 0; t < titles; ++t) {
        auto colour = static_cast<std::uint32_t>(0xFF000000u | (static_cast<unsigned>(t) * 0x010507u & 0xFFFFFFu));
        BenchFixture::WriteBytes(IcoPath(dir, t), IcoFile::Make({{16, colour}, {32, colour}}));
    }
}

std::string ProgramPath(const std::string& dir, int genre, int title)
{
    return Format("%s/Programs/%s/title-%03d.exe", dir.c_str(), BenchFixture::GenreName(genre).c_str(), title);
}

// One program a title position, linked into a folder a genre: every title has a path of
// its own, as in a real library, while the disk holds one file a position.
void WritePrograms(const std::string& dir, const BenchFixture::Library& shape)
{
    for (int g = 0; g < shape.genres; ++g)
        BenchFixture::MakeDirs(dir + "/Programs/" + BenchFixture::GenreName(g));
    for (int t = 0; t < shape.titles; ++t) {
        auto colour = static_cast<std::uint32_t>(0xFF000000u | (static_cast<unsigned>(t) * 0x030507u & 0xFFFFFFu));
        WindowsProgram::Write(ProgramPath(dir, 0, t), shape.programBytes, colour);
        for (int g = 1; g < shape.genres; ++g) {
            std::error_code error;
            std::filesystem::remove(ProgramPath(dir, g, t), error);
            std::filesystem::create_hard_link(ProgramPath(dir, 0, t), ProgramPath(dir, g, t), error);
            if (error)
                Fail("cannot link " + ProgramPath(dir, g, t) + ": " + error.message());
        }
    }
}

void WriteGenre(const std::string& dir, int g, const BenchFixture::Library& shape)
{
    auto group = std::make_unique<CGroup>();
    group->m_szName = BenchFixture::GenreName(g);
    group->m_nPlayMode = 0;
    group->m_nMemberCount = shape.titles;
    group->m_nCurrMember = shape.titles > 0 ? std::min(shape.currMember, shape.titles - 1) : -1;
    std::string genreDir = dir + "/Zarn/" + group->m_szName;
    BenchFixture::MakeDirs(genreDir);
    for (int t = 0; t < shape.titles; ++t) {
        CMember& member = group->m_Member[static_cast<size_t>(t)];
        member.m_szName = BenchFixture::TitleName(g, t);
        member.m_szExePath = shape.exePath.empty() ? Format("/opt/games/%s/game.exe", member.m_szName.c_str())
                                                  : shape.exePath;
        member.m_szIconPath = IcoPath(dir, t);
        if (shape.programIcons) {
            member.m_szIconPath = ProgramPath(dir, g, t);
            if (shape.exePath.empty())
                member.m_szExePath = member.m_szIconPath;
        }
        member.m_nAutoTiming = 1;
        member.m_nUseMedia = 0;
        BenchFixture::WriteBytes(genreDir + "/" + member.m_szName + ".Log",
                                 BenchFixture::LogText(shape.sessions, g * 1000 + t));
    }
    TextFileWriter writer;
    GroupFile::Write(*group, writer);
    Save(writer, dir + "/Zarn/" + group->m_szName + ".Zarn");
}

}  // namespace

namespace BenchFixture {

std::string GenreName(int genre) { return Format("Genre-%02d", genre + 1); }

std::string TitleName(int genre, int title) { return Format("Title-%02d-%03d", genre + 1, title + 1); }

std::string LogText(int sessions, int seed)
{
    std::string text;
    text.reserve(static_cast<size_t>(sessions) * 32);
    // 2012-01-01 on, one session a day, civil dates computed by hand (no time zone).
    int year = 2012;
    int month = 1;
    int day = 1;
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    unsigned state = static_cast<unsigned>(seed) * 2654435761u + 12345u;
    for (int i = 0; i < sessions; ++i) {
        state = state * 1103515245u + 12345u;
        int hour = static_cast<int>((state >> 8) % 24);
        int minute = static_cast<int>((state >> 13) % 60);
        int second = static_cast<int>((state >> 19) % 60);
        int elapsed = 300 + static_cast<int>((state >> 4) % 10800);
        text += Format("%04d/%02d/%02d,%02d:%02d:%02d\r\n%d\r\n", year, month, day, hour, minute, second, elapsed);
        bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        int monthDays = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
        if (++day > monthDays) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    return text;
}

void MakeDirs(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error)
        Fail("cannot create " + path + ": " + error.message());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        Fail("cannot write " + path);
}

std::string TempFolder(const char* tag, const char* base)
{
    std::error_code error;
    std::filesystem::path parent = base != nullptr && std::filesystem::is_directory(base, error)
                                       ? std::filesystem::path(base)
                                       : std::filesystem::temp_directory_path();
    std::string pattern = (parent / (std::string("zarn2-bench-") + tag + "-XXXXXX")).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr)
        Fail("cannot create a temporary folder");
    return buffer.data();
}

void RemoveTree(const std::string& path)
{
    std::error_code error;
    std::filesystem::remove_all(path, error);
}

std::string WriteProgramFolder(const std::string& dir, const Library& shape)
{
    MakeDirs(dir + "/Zarn");
    MakeDirs(dir + "/Temp");
    if (shape.programIcons)
        WritePrograms(dir, shape);
    else
        WriteIcons(dir, shape.titles);

    CSettings settings;
    settings.Position = CSettings::CentredPosition(1280, 1024);
    settings.Filer = "xdg-open";
    settings.Minimize = shape.minimize;
    TextFileWriter ini;
    SettingsFile::Write(settings, ini);
    Save(ini, dir + "/Zarn2.ini");

    std::vector<std::string> names;
    for (int g = 0; g < shape.genres; ++g) {
        names.push_back(GenreName(g));
        WriteGenre(dir, g, shape);
    }
    TextFileWriter list;
    GroupListFile::Write(names, shape.genres > 0 ? std::min(shape.currGroup, shape.genres - 1) : -1, list);
    std::string exe = dir + "/Zarn2";
    Save(list, ProgramPaths::GroupListPathFor(exe));
    return exe;
}

size_t ReadLines(const std::string& path, std::string& bytes, std::vector<std::string_view>& lines)
{
    bytes.clear();
    lines.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        std::abort();
    char buffer[64 * 1024];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<size_t>(n));
    ::close(fd);
    std::string_view rest = bytes;
    while (!rest.empty()) {
        size_t end = rest.find('\n');
        if (end == std::string_view::npos) {
            lines.push_back(rest);
            break;
        }
        lines.push_back(rest.substr(0, end));
        rest.remove_prefix(end + 1);
    }
    return lines.size();
}

}  // namespace BenchFixture
