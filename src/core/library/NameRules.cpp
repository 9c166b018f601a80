#include "library/NameRules.h"

#include "library/ILibraryJournal.h"
#include "library/WindowsNames.h"
#include "platform/Cp932.h"
#include "platform/Format.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

constexpr std::string_view kUndecodable = "\xEF\xBF\xBD";  // U+FFFD: what the reader made of such bytes

const char* Label(NameRules::Kind kind)
{
    return kind == NameRules::Kind::Group ? "グループ名" : "メンバー名";
}

size_t SuffixBytes(NameRules::Kind kind)
{
    return kind == NameRules::Kind::Group ? sizeof(".Zarn") - 1 : sizeof(".Log") - 1;
}

// The first control character (C0, DEL or C1) of UTF-8 text, or -1.
int FirstControl(std::string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F)
            return c;
        if (c == 0xC2 && i + 1 < text.size()) {
            unsigned char next = static_cast<unsigned char>(text[i + 1]);
            if (next >= 0x80 && next <= 0x9F)
                return next;
        }
    }
    return -1;
}

NameRules::Finding Refuse(Refusal reason, std::string message) { return {reason, std::move(message)}; }

NameRules::Finding ControlProblem(const char* what, int control)
{
    return Refuse(Refusal::UnsafeName, Format("%sに使用出来ない制御文字 [0x%02X] が含まれています.\n"
                                              "この文字を使わずに入力して下さい.",
                                              what, control));
}

// "…が長すぎます." with the limit in characters: full-width ones take `fullBytes` bytes,
// half-width `half` ones (ASCII, or every half-width character) one byte.
NameRules::Finding TooLong(const std::string& what, size_t maxBytes, size_t fullBytes, const char* half)
{
    return Refuse(Refusal::TooLong,
                  Format("%sが長すぎます.\n%sは全角 %zu 文字 (%sなら %zu 文字) 以内にして下さい.", what.c_str(),
                         what.c_str(), maxBytes / fullBytes, half, maxBytes));
}

// Text that code page 932 cannot hold, or that reads back changed once written there (a
// changed name would no longer match its folder or file, a changed path its program).
NameRules::Finding Cp932Problem(const std::string& what, std::string_view text)
{
    std::string unmappable;
    if (!Cp932::CanEncode(text, &unmappable))
        return Refuse(Refusal::NotCp932, Cp932::UnmappableMessage(what, unmappable));
    auto [changed, becomes] = Cp932::FirstChanged(text);
    if (changed.empty())
        return {};
    return Refuse(Refusal::NotCp932,
                  Format("%sの文字 [%s] (%s) は保存すると [%s] (%s) に変わってしまうため使用出来ません.\n"
                         "この文字を使わずに入力して下さい.",
                         what.c_str(), changed.c_str(), Cp932::CodePoint(changed).c_str(), becomes.c_str(),
                         Cp932::CodePoint(becomes).c_str()));
}

}  // namespace

namespace NameRules {

size_t MaxNameBytes(Kind kind) { return kMaxFileNameBytes - SuffixBytes(kind); }

Finding PathProblem(Kind kind, std::string_view name)
{
    const char* label = Label(kind);
    if (name.empty())
        return Refuse(Refusal::UnsafeName, Format("%sが入力されていません.", label));
    if (int control = FirstControl(name); control >= 0)
        return ControlProblem(label, control);
    if (name == "." || name == "..")
        return Refuse(Refusal::UnsafeName, Format("%s [%s] は使用出来ません.\n別の名前を入力して下さい.", label,
                                                  std::string(name).c_str()));
    // The data folder's folder of the change journals (any case: a Windows drive ignores it).
    std::string_view journals = ILibraryJournal::kFolderName;
    if (kind == NameRules::Kind::Group && name.size() == journals.size() &&
        std::equal(name.begin(), name.end(), journals.begin(),
                   [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; }))
        return Refuse(Refusal::UnsafeName, Format("%s [%s] は Zarn2 が使うため使用出来ません.\n別の名前を入力して下さい.",
                                                  label, std::string(name).c_str()));
    if (name.find('/') != std::string_view::npos)
        return Refuse(Refusal::UnsafeName, Format("%s [%s] に使用出来ない文字 [/] が含まれています.\n"
                                                  "この文字を使わずに入力して下さい.",
                                                  label, std::string(name).c_str()));
    if (name.size() > MaxNameBytes(kind))
        return TooLong(label, MaxNameBytes(kind), 3, "半角英数字");
    return {};
}

Finding StoredNameProblem(Kind kind, std::string_view name)
{
    Finding problem = PathProblem(kind, name);
    if (problem.Refused() || name.find(kUndecodable) == std::string_view::npos)
        return problem;
    return Refuse(Refusal::NotCp932,
                  Format("%s [%s] に Shift-JIS (コードページ 932) として読めないバイトが含まれています.",
                         Label(kind), std::string(name).c_str()));
}

Finding KeptNameProblem(Kind kind, std::string_view name)
{
    Finding problem = PathProblem(kind, name);
    return problem.Refused() ? problem : Cp932Problem(Label(kind), name);
}

Finding Problem(Kind kind, std::string_view name)
{
    Finding problem = PathProblem(kind, name);
    if (problem.Refused())
        return problem;
    if (std::string windows = WindowsNames::Problem(Label(kind), name); !windows.empty())
        return Refuse(Refusal::WindowsName, windows);
    return Cp932Problem(Label(kind), name);
}

Finding StoredPathProblem(std::string_view what, std::string_view path)
{
    std::string label(what);
    if (int control = FirstControl(path); control >= 0)
        return ControlProblem(label.c_str(), control);
    if (Finding problem = Cp932Problem(label, path); problem.Refused())
        return problem;
    std::string bytes;
    Cp932::FromUtf8(path, bytes);
    if (bytes.size() > kMaxPathBytes)
        return TooLong(label, kMaxPathBytes, 2, "半角");
    return {};
}

}  // namespace NameRules
