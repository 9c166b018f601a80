#pragma once

#include <string>

// The insert and remove prompt (CMediaDlg in the window): a caption, a message and the
// buttons "O K" and "キャンセル". Ask returns true for OK.
class IMediaPrompt {
public:
    virtual ~IMediaPrompt() = default;
    virtual bool Ask(const std::string& caption, const std::string& message) = 0;
};

// Process-wide access to the prompt in use. Without one installed (no window), the
// prompt is written to stderr and answered with Cancel.
namespace MediaPrompt {
inline constexpr const char* kInsertCaption = "CD/DVD-ROM 挿入";
inline constexpr const char* kInsertMessage = "メディアを入れて下さい";
inline constexpr const char* kRemoveCaption = "CD/DVD-ROM 排出";
inline constexpr const char* kRemoveMessage = "メディアを取り出して下さい";

IMediaPrompt& Get();
void Set(IMediaPrompt* prompt);
bool Ask(const std::string& caption, const std::string& message);
// The two uses: before a disc title starts, and after it ended.
bool AskInsert();
bool AskRemove();
}  // namespace MediaPrompt
