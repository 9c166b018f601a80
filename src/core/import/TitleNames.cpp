#include "import/TitleNames.h"

#include "library/NameRules.h"
#include "library/WindowsNames.h"
#include "platform/Cp932.h"

#include <QList>
#include <QString>

#include <algorithm>
#include <array>

namespace {

constexpr char kNoName[] = "名前のないゲーム";

// The characters Windows refuses in a file name, and the full-width ones shown instead.
constexpr std::array<std::pair<char32_t, char32_t>, 10> kFullWidth{{
    {U'/', U'／'},
    {U'\\', U'＼'},
    {U':', U'：'},
    {U'*', U'＊'},
    {U'?', U'？'},
    {U'"', U'”'},
    {U'<', U'＜'},
    {U'>', U'＞'},
    {U'|', U'｜'},
    {U'\t', U' '},
}};

std::string Utf8(char32_t c) { return QString::fromUcs4(&c, 1).toStdString(); }

bool IsControl(char32_t c) { return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F); }

// A character code page 932 holds and gives back as it is, or "" with `what` set.
std::string Storable(char32_t c, std::string& what)
{
    std::string text = Utf8(c);
    if (Cp932::CanEncode(text)) {
        auto [changed, becomes] = Cp932::FirstChanged(text);
        if (changed.empty())
            return text;
        what = "Shift-JIS で変わってしまう文字を置き換えました";
        return becomes;
    }
    // A letter with an accent keeps its letter.
    what = "Shift-JIS にない文字を置き換えました";
    std::string base;
    for (char32_t part : QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_D).toUcs4()) {
        std::string piece = Utf8(part);
        if (part < 0x300 || part > 0x36F) {
            if (Cp932::CanEncode(piece) && Cp932::FirstChanged(piece).first.empty())
                base += piece;
        }
    }
    return base.empty() ? "_" : base;
}

void Note(std::vector<std::string>& changes, const std::string& what)
{
    if (!what.empty() && std::find(changes.begin(), changes.end(), what) == changes.end())
        changes.push_back(what);
}

// The longest start of `text` within `bytes` bytes that ends on a whole character.
std::string CutAt(const std::string& text, size_t bytes)
{
    if (text.size() <= bytes)
        return text;
    size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

std::string TrimEnd(std::string text)
{
    // Blanks and dots at the end, full-width blanks at either end.
    for (bool cut = true; cut;) {
        cut = false;
        while (!text.empty() && (text.back() == ' ' || text.back() == '.')) {
            text.pop_back();
            cut = true;
        }
        if (text.ends_with("\u3000")) {
            text.resize(text.size() - 3);
            cut = true;
        }
    }
    return text;
}

std::string TrimStart(std::string text)
{
    size_t start = 0;
    for (;;) {
        if (start < text.size() && text[start] == ' ')
            ++start;
        else if (text.compare(start, 3, "\u3000") == 0)
            start += 3;
        else
            break;
    }
    return text.substr(start);
}

}  // namespace

namespace TitleNames {

Made Valid(std::string_view found)
{
    Made made;
    std::string text;
    // Most names are stored as they are: only those that are not look at each character.
    bool storable = Cp932::IsAscii(found) || (Cp932::CanEncode(found) && Cp932::FirstChanged(found).first.empty());
    for (char32_t c : QString::fromUtf8(found.data(), static_cast<qsizetype>(found.size())).toUcs4()) {
        auto full = std::find_if(kFullWidth.begin(), kFullWidth.end(), [c](auto pair) { return pair.first == c; });
        if (full != kFullWidth.end()) {
            text += Utf8(full->second);
            Note(made.changes, "Windows のファイル名に使えない文字を全角にしました");
        } else if (IsControl(c)) {
            text += ' ';
            Note(made.changes, "制御文字を空白にしました");
        } else if (storable) {
            text += Utf8(c);
        } else {
            std::string what;
            text += Storable(c, what);
            Note(made.changes, what);
        }
    }
    std::string trimmed = TrimStart(TrimEnd(text));
    if (trimmed != text && !trimmed.empty())
        Note(made.changes, "前後の空白や末尾の「.」を取りました");
    text = trimmed;
    const size_t limit = NameRules::MaxNameBytes(NameRules::Kind::Member);
    if (text.size() > limit) {
        text = TrimEnd(CutAt(text, limit));
        Note(made.changes, "長すぎるため短くしました");
    }
    if (text.empty()) {
        text = kNoName;
        Note(made.changes, "名前がないため仮の名前にしました");
    }
    if (!WindowsNames::Problem("", text).empty()) {
        // What is left is one of Windows's device names.
        text = "_" + text;
        Note(made.changes, "Windows の予約名のため「_」を付けました");
    }
    made.name = text;
    return made;
}

std::string Unique(const std::string& name, const std::function<bool(const std::string&)>& taken)
{
    if (!taken(name))
        return name;
    const size_t limit = NameRules::MaxNameBytes(NameRules::Kind::Member);
    for (int n = 2;; ++n) {
        std::string suffix = " (" + std::to_string(n) + ")";
        std::string candidate = TrimEnd(CutAt(name, limit - suffix.size())) + suffix;
        if (!taken(candidate))
            return candidate;
    }
}

}  // namespace TitleNames
