#include "commands/CaptionFit.h"

#include <QString>

#include <gtest/gtest.h>

TEST(CaptionFit, ShortenedAtCharacterBoundary)
{
    struct Case {
        const char* what;
        int asciiBytes;
        int kanaChars;
        bool shortened;
    } cases[] = {
        // "タイトル[ " is 14 bytes and " ]の編集" 11: 25 bytes around the name.
        {"fits", 974, 0, false},
        {"one byte over", 975, 0, true},
        {"kana fits", 1, 324, false},
        {"kana over", 0, 400, true},
        {"kana over, odd start", 1, 400, true},
        {"kana over, two bytes before", 2, 400, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string name(static_cast<size_t>(c.asciiBytes), 'a');
        for (int i = 0; i < c.kanaChars; ++i)
            name += "カ";
        std::string caption = CaptionFit::Make("タイトル[ ", name, " ]の編集");
        EXPECT_TRUE(caption.size() <= CaptionFit::kMaxBytes);
        EXPECT_TRUE(QString::fromUtf8(caption.data(), qsizetype(caption.size())).toUtf8().toStdString() ==
                    caption);  // valid UTF-8 throughout
        EXPECT_TRUE(caption.rfind(" ]の編集") == caption.size() - std::string(" ]の編集").size());
        EXPECT_EQ(caption.find("…") != std::string::npos, c.shortened);
        if (!c.shortened)
            EXPECT_EQ(caption, "タイトル[ " + name + " ]の編集");
        else
            EXPECT_TRUE(caption.size() > CaptionFit::kMaxBytes - 3);
    }
}
