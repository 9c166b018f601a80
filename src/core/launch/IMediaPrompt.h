#pragma once

#include "platform/Seam.h"

#include <string>

// The insert and remove prompt (CMediaDlg in the window): a caption, a message and the
// buttons "O K" and "キャンセル". Ask returns true for OK.
class IMediaPrompt {
public:
    virtual ~IMediaPrompt() = default;
    virtual bool Ask(const std::string& caption, const std::string& message) = 0;
};

// The prompt in use. Without one installed (no window), the prompt is written to stderr
// and answered with Cancel.
template <>
IMediaPrompt& Seam<IMediaPrompt>::Fallback();

struct MediaPrompt : Seam<IMediaPrompt> {
    static constexpr const char* kInsertCaption = "CD/DVD-ROM 挿入";
    static constexpr const char* kInsertMessage = "メディアを入れて下さい";
    static constexpr const char* kRemoveCaption = "CD/DVD-ROM 排出";
    static constexpr const char* kRemoveMessage = "メディアを取り出して下さい";

    static bool Ask(const std::string& caption, const std::string& message)
    {
        return Get().Ask(caption, message);
    }
    // The two uses: before a disc title starts, and after it ended.
    static bool AskInsert() { return Ask(kInsertCaption, kInsertMessage); }
    static bool AskRemove() { return Ask(kRemoveCaption, kRemoveMessage); }
};
