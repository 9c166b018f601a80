#include "library/WindowsNames.h"

#include "platform/Format.h"

namespace {

constexpr std::string_view kForbidden = "\\:*?\"<>|";
constexpr const char* kWhy = "ファイルは Windows 版と共通のため, Windows のファイル名に出来ない名前は使用出来ません.";

bool IsDeviceName(std::string_view name)
{
    // Windows reads "CON.Log" and "CON .Zarn" as the device too.
    std::string_view base = name.substr(0, name.find('.'));
    base = base.substr(0, base.find_last_not_of(' ') + 1);
    std::string upper;
    for (char c : base)
        upper += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL")
        return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
           upper[3] <= '9';
}

}  // namespace

namespace WindowsNames {

std::string Problem(const char* label, std::string_view name)
{
    std::string shown(name);
    if (size_t at = name.find_first_of(kForbidden); at != std::string_view::npos)
        return Format("%s [%s] に使用出来ない文字 [%c] が含まれています.\n"
                      "ファイルは Windows 版と共通のため, Windows のファイル名に使えない文字 "
                      "\\ / : * ? \" < > | は使用出来ません.",
                      label, shown.c_str(), name[at]);
    if (!name.empty() && (name.back() == '.' || name.back() == ' '))
        return Format("%s [%s] の末尾に「.」や空白は使用出来ません.\n%s", label, shown.c_str(), kWhy);
    if (IsDeviceName(name))
        return Format("%s [%s] は Windows の予約名のため使用出来ません.\n%s", label, shown.c_str(), kWhy);
    return {};
}

}  // namespace WindowsNames
