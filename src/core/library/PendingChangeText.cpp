#include "library/PendingChangeText.h"

#include "library/NameRules.h"
#include "platform/Format.h"
#include "platform/TextFileReader.h"
#include "platform/TextFileWriter.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

namespace {

using Kind = PendingChange::Kind;

constexpr char kHeader[] = "[Zarn2.Intent]";

// What a line of a record holds, and the check it must pass.
enum class Arg {
    Genre,     // a listed genre's name, as the files may hold it
    Title,     // a listed title's name, as the files may hold it
    NewGenre,  // a name the user gave: the dialogs' rules
    NewTitle,
    Path,      // a title's program or icon
    Flag       // 0 or 1
};

struct KindInfo {
    Kind kind;
    std::string_view name;
    std::vector<Arg> args;
    // Lines repeated after `args`, once or more (up to a genre's titles).
    std::vector<Arg> each = {};
};

// The titles an import names: a genre holds 128.
constexpr size_t kMaxRepeats = 128;

const std::array<KindInfo, 7>& Kinds()
{
    using enum Arg;
    static const std::array<KindInfo, 7> kinds{{
        {Kind::MoveMember, "MoveMember", {Genre, Genre, Title}},      // source genre, destination, title
        {Kind::RenameGroup, "RenameGroup", {Genre, NewGenre, Flag}},  // old name, new name, play mode
        {Kind::DeleteGroup, "DeleteGroup", {Genre}},
        // genre, old name, new name, program, icon, timing, media
        {Kind::RenameMember, "RenameMember", {Genre, Title, NewTitle, Path, Path, Flag, Flag}},
        {Kind::DeleteMember, "DeleteMember", {Genre, Title}},
        {Kind::DeleteAllMembers, "DeleteAllMembers", {Genre}},
        // genre, whether it is new, its play mode; then each title's name, program, icon
        {Kind::AddMembers, "AddMembers", {Genre, Flag, Flag}, {NewTitle, Path, Path}},
    }};
    return kinds;
}

const KindInfo& Info(Kind kind)
{
    for (const KindInfo& info : Kinds()) {
        if (info.kind == kind)
            return info;
    }
    return Kinds()[0];
}

// What the rule found, without the advice for a dialog's field that follows it: nobody
// typed a record's names.
std::string WhatWasFound(const NameRules::Finding& finding)
{
    return finding.message.substr(0, finding.message.find('\n'));
}

std::string ArgProblem(Arg arg, const std::string& value)
{
    using NameRules::Kind::Group;
    using NameRules::Kind::Member;
    switch (arg) {
    case Arg::Genre:
        return WhatWasFound(NameRules::StoredNameProblem(Group, value));
    case Arg::Title:
        return WhatWasFound(NameRules::StoredNameProblem(Member, value));
    case Arg::NewGenre:
        return WhatWasFound(NameRules::Problem(Group, value));
    case Arg::NewTitle:
        return WhatWasFound(NameRules::Problem(Member, value));
    case Arg::Path:
        return WhatWasFound(NameRules::StoredPathProblem("パス", value));
    case Arg::Flag:
        return value == "0" || value == "1" ? std::string()
                                            : Format("値 [%s] は 0 でも 1 でもありません.", value.c_str());
    }
    return {};
}

// A change from a name to itself (or a move into its own genre) is none the program records.
std::string SameNameProblem(Kind kind, const std::vector<std::string>& args)
{
    size_t from = kind == Kind::RenameMember ? 1 : 0;
    bool changesName = kind == Kind::MoveMember || kind == Kind::RenameGroup || kind == Kind::RenameMember;
    if (!changesName || args[from] != args[from + 1])
        return {};
    return Format("変更の前と後が同じ [%s] です.", args[from].c_str());
}

// The number of lines a record of the kind may have, and why `count` is none of them.
std::string LineCountProblem(const KindInfo& info, size_t count)
{
    size_t fixed = 2 + info.args.size();
    if (info.each.empty())
        return count == fixed ? std::string()
                              : Format("%s の行数が違います (%zu 行のところ %zu 行).", std::string(info.name).c_str(),
                                       fixed, count);
    size_t repeats = count > fixed ? (count - fixed) / info.each.size() : 0;
    if (count > fixed && (count - fixed) % info.each.size() == 0 && repeats <= kMaxRepeats)
        return {};
    return Format("%s の行数が違います (%zu 行と %zu 行ずつ %zu 回まで のところ %zu 行).",
                  std::string(info.name).c_str(), fixed, info.each.size(), kMaxRepeats, count);
}

// A name repeated among the titles a record adds.
std::string RepeatedNameProblem(const KindInfo& info, const std::vector<std::string>& args)
{
    if (info.each.empty())
        return {};
    std::vector<std::string> names;
    for (size_t i = info.args.size(); i < args.size(); i += info.each.size()) {
        if (std::find(names.begin(), names.end(), args[i]) != names.end())
            return Format("名前 [%s] が二度あります.", args[i].c_str());
        names.push_back(args[i]);
    }
    return {};
}

}  // namespace

namespace PendingChangeText {

void Write(const PendingChange::Record& record, TextFileWriter& writer)
{
    writer.Line(kHeader);
    writer.Line(Info(record.kind).name);
    for (const std::string& arg : record.args)
        writer.Line(arg);
}

std::optional<PendingChange::Record> Read(TextFileReader& reader, std::string& problem)
{
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadLine(line))
        lines.emplace_back(TextFileReader::WithoutNewline(line));
    problem = Format("%s の見出し行と操作の種類がありません.", kHeader);
    if (lines.size() < 2 || lines[0] != kHeader)
        return std::nullopt;
    problem = Format("操作の種類 [%s] は Zarn2 のものではありません.", lines[1].c_str());
    for (const KindInfo& info : Kinds()) {
        if (lines[1] != info.name)
            continue;
        if (problem = LineCountProblem(info, lines.size()); !problem.empty())
            return std::nullopt;
        PendingChange::Record record{info.kind, std::vector<std::string>(lines.begin() + 2, lines.end())};
        for (size_t i = 0; i < record.args.size(); ++i) {
            Arg arg = i < info.args.size() ? info.args[i] : info.each[(i - info.args.size()) % info.each.size()];
            if (problem = ArgProblem(arg, record.args[i]); !problem.empty())
                return std::nullopt;
        }
        if (problem = SameNameProblem(info.kind, record.args); !problem.empty())
            return std::nullopt;
        if (problem = RepeatedNameProblem(info, record.args); !problem.empty())
            return std::nullopt;
        return record;
    }
    return std::nullopt;
}

std::string Describe(const PendingChange::Record& record)
{
    auto arg = [&record](size_t i) { return record.args.at(i).c_str(); };
    switch (record.kind) {
    case Kind::MoveMember:
        return Format("メンバー [%s] のグループ [%s] からグループ [%s] への移動", arg(2), arg(0), arg(1));
    case Kind::RenameGroup:
        return Format("グループ [%s] の名前の [%s] への変更", arg(0), arg(1));
    case Kind::DeleteGroup:
        return Format("グループ [%s] の削除", arg(0));
    case Kind::RenameMember:
        return Format("グループ [%s] のメンバー [%s] の名前の [%s] への変更", arg(0), arg(1), arg(2));
    case Kind::DeleteMember:
        return Format("グループ [%s] のメンバー [%s] の削除", arg(0), arg(1));
    case Kind::DeleteAllMembers:
        return Format("グループ [%s] の全メンバーの削除", arg(0));
    case Kind::AddMembers:
        return Format("グループ [%s] への %zu 件のメンバーの取り込み", arg(0), (record.args.size() - 3) / 3);
    }
    return {};
}

}  // namespace PendingChangeText
