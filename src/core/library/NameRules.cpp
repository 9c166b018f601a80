#include "library/NameRules.h"

#include "platform/Cp932.h"
#include "platform/Format.h"

#include <utility>

namespace {

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
    std::string shown(name);
    if (name == "." || name == "..")
        return Refuse(Refusal::UnsafeName,
                      Format("%s [%s] は使用出来ません.\n別の名前を入力して下さい.", label, shown.c_str()));
    if (name.find('/') != std::string_view::npos)
        return Refuse(Refusal::UnsafeName, Format("%s [%s] に使用出来ない文字 [/] が含まれています.\n"
                                                  "この文字を使わずに入力して下さい.",
                                                  label, shown.c_str()));
    if (name.size() > MaxNameBytes(kind))
        return Refuse(Refusal::TooLong,
                      Format("%sが長過ぎます (%zu バイト).\n%sは UTF-8 で %zu バイト以内にして下さい.", label,
                             name.size(), label, MaxNameBytes(kind)));
    return {};
}

Finding Problem(Kind kind, std::string_view name)
{
    Finding problem = PathProblem(kind, name);
    if (problem.Refused())
        return problem;
    std::string unmappable;
    if (!Cp932::CanEncode(name, &unmappable))
        return Refuse(Refusal::NotCp932, Cp932::UnmappableMessage(Label(kind), unmappable));
    return {};
}

Finding StoredPathProblem(std::string_view what, std::string_view path)
{
    std::string label(what);
    if (int control = FirstControl(path); control >= 0)
        return ControlProblem(label.c_str(), control);
    std::string bytes;
    std::string unmappable;
    if (!Cp932::FromUtf8(path, bytes, &unmappable))
        return Refuse(Refusal::NotCp932, Cp932::UnmappableMessage(label, unmappable));
    if (bytes.size() > kMaxPathBytes)
        return Refuse(Refusal::TooLong,
                      Format("%sが長過ぎます (%zu バイト).\n%sはシフトJISで %zu バイト以内にして下さい.",
                             label.c_str(), bytes.size(), label.c_str(), kMaxPathBytes));
    return {};
}

}  // namespace NameRules
