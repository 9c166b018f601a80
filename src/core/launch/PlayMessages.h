#pragma once

// The texts of a play that more than one place shows or checks.
namespace PlayMessages {
inline constexpr const char* kNoTitle = "タイトルを登録して下さい..";
// With the system's error number (automatic timing) and the program's path.
inline constexpr const char* kProcessStartFailed =
    "ERROR[%d] : タイトル %s を実行出来ませんでした,\nヘルプを見て作者までエラー番号をご連絡下さい.";
// With the errno and the path of our wait helper, when it is what could not be run.
inline constexpr const char* kHelperStartFailed =
    "ERROR[%d] : %s を実行出来ませんでした,\nヘルプを見て作者までエラー番号をご連絡下さい.";
// With the title's name: its start only handed over to a copy that was already open.
inline constexpr const char* kHandedToOpenCopy =
    "タイトル %s は既に起動しています,\n起動中のものに引き継がれたため, このプレイは記録しません.";
// With the shell's result code (manual timing, play without history) and the path.
inline constexpr const char* kShellStartFailed =
    "ERROR[%ld] : タイトル %s を実行出来ませんでした,\nヘルプを見て作者までエラー番号をご連絡下さい.";
}  // namespace PlayMessages
