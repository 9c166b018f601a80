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

// A title without a program (one the play import made from a CSV file, which names none).
inline constexpr const char* kNoProgram =
    "このタイトルには実行ファイルが登録されていません.\n"
    "タイトル → \"タイトルを編集する\" で実行ファイルを指定して下さい.";
// Programs the launcher cannot start as they are, with the stored program.
inline constexpr const char* kUrlWithoutHandler =
    "URL %s を開くプログラムがありません.\n%s: の URL を開くアプリケーションをインストールして下さい.";
inline constexpr const char* kUrlNotOpened = "URL %s を開けませんでした.";
// URLs that name nothing to open, with the URL (and its scheme, or the file's path).
inline constexpr const char* kUrlWithoutTarget = "URL %s には開く先がありません (%s: の後が空です).";
inline constexpr const char* kUrlWithBlank =
    "URL %s には空白か制御文字が含まれています.\nURL の中の空白は %%20 と書いて下さい.";
inline constexpr const char* kFileUrl = "%s はファイルの URL です.\nファイルのパス %s を入力して下さい.";
// With the entry's path and one of the reasons below.
inline constexpr const char* kEntryRefused = "デスクトップエントリ %s は起動出来ません:\n%s";
inline constexpr const char* kEntryUnreadable = "ファイルを読めません.";
inline constexpr const char* kEntryTooLarge = "ファイルが大きすぎます (デスクトップエントリは 1 MiB までです).";
inline constexpr const char* kEntryNotAnEntry = "デスクトップエントリではないか, 壊れています ([Desktop Entry] がありません).";
inline constexpr const char* kEntryHidden = "削除されたエントリです (Hidden=true).";
inline constexpr const char* kEntryNotApplication = "アプリケーションのエントリではありません (Type=%s).";
inline constexpr const char* kEntryNoCommand = "起動するコマンドがありません (Exec がありません).";
inline constexpr const char* kEntryBrokenCommand = "起動するコマンドが壊れています (Exec=%s).";
inline constexpr const char* kEntryNotInstalled = "プログラム %s がインストールされていません.";
inline constexpr const char* kEntryNoTerminal =
    "端末で実行するエントリですが, 端末 (x-terminal-emulator) がインストールされていません.";
inline constexpr const char* kNoWine32 =
    "%s は 32 ビットの Windows プログラムですが, Wine の 32 ビット版 (wine32) がインストールされていません.\n"
    "Debian では次のコマンドでインストール出来ます:\n"
    "sudo dpkg --add-architecture i386 && sudo apt update && sudo apt install wine32";
// A Windows program whose Wine ended with an error soon after the start: with the path,
// the seconds and the exit code.
inline constexpr const char* kWineFailedEarly =
    "Wine が %s を起動出来なかったようです (%d 秒後に終了コード %d で終了しました).\nプレイは記録しません.";
}  // namespace PlayMessages
