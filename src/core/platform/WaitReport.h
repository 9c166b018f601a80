#pragma once

#include "platform/LeadingInt.h"

#include <string>
#include <vector>

// The lines the wait helper sends the launcher on its report channel:
//   "started <helper pid> <title pid>"  the title runs
//   "failed <errno>"                    the title could not be started (nothing runs)
//   "exited <code>"                     the title's first process has ended: its exit
//                                       status, or 128 + the signal that ended it
//   "running <name>, <name>..."         the title's first process has ended and these
//                                       still run (sent again whenever that changes)
// The channel's end means the helper has ended: the play is over.
namespace WaitReport {

struct Line {
    enum class Kind { Started, Failed, Exited, Running, Unknown } kind = Kind::Unknown;
    int first = 0;  // helper pid, errno or exit code
    int second = 0; // title pid
    std::string names;
};

inline std::string Started(int helperPid, int titlePid)
{
    return "started " + std::to_string(helperPid) + " " + std::to_string(titlePid);
}
inline std::string Failed(int error)
{
    return "failed " + std::to_string(error);
}
inline std::string Exited(int code)
{
    return "exited " + std::to_string(code);
}
inline std::string Running(const std::vector<std::string>& names)
{
    std::string line = "running ";
    for (const std::string& name : names) {
        if (line.size() > 8)
            line += ", ";
        for (char c : name)
            line += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    }
    return line;
}

inline Line Parse(const std::string& text)
{
    Line line;
    auto number = [&text](std::size_t from, std::size_t* end) {
        std::optional<LeadingNumber> parsed = ParseLeadingInt(std::string_view(text).substr(from));
        if (end)
            *end = from + (parsed ? parsed->end : 0);
        return parsed ? parsed->value : 0;
    };
    if (text.rfind("started ", 0) == 0) {
        std::size_t end = 0;
        line.kind = Line::Kind::Started;
        line.first = number(8, &end);
        line.second = number(end, nullptr);
    } else if (text.rfind("failed ", 0) == 0) {
        line.kind = Line::Kind::Failed;
        line.first = number(7, nullptr);
    } else if (text.rfind("exited ", 0) == 0) {
        line.kind = Line::Kind::Exited;
        line.first = number(7, nullptr);
    } else if (text.rfind("running ", 0) == 0) {
        line.kind = Line::Kind::Running;
        line.names = text.substr(8);
    }
    return line;
}

} // namespace WaitReport
