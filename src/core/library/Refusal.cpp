#include "library/Refusal.h"

#include "platform/Format.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

Refusal DiskRefusal(int err, const std::string& target)
{
    std::error_code ec;
    if (err == EEXIST || std::filesystem::exists(std::filesystem::symlink_status(target, ec)))
        return Refusal::TakenOnDisk;
    return Refusal::FileSystem;
}

std::string ChangedElsewhereMessage(const std::string& file)
{
    return Format("%s が他の PC かプログラムで書き換えられたため, 書き込みを中止しました. "
                  "読み込み直した内容を確かめて, もう一度操作して下さい.",
                  file.c_str());
}

std::string GoneElsewhereMessage(const char* what, const std::string& name)
{
    return Format("%s [%s] は他の PC かプログラムで削除されたか, 名前が変わっています. "
                  "この操作は行いませんでした.",
                  what, name.c_str());
}
