#include "platform/TextFormatCheck.h"

#include "platform/Format.h"
#include "platform/TextFileReader.h"

namespace {

constexpr std::string_view kUndecodable = "\xEF\xBF\xBD";  // U+FFFD, as the reader hands it out

}  // namespace

void TextFormatCheck::Skipped(std::string_view line)
{
    if (line.find(kUndecodable) != std::string_view::npos)
        m_undecodable = true;
    if (line.find('\r') != std::string_view::npos)
        m_loneCr = true;
}

std::string TextFormatCheck::Problem(const TextFileReader& reader) const
{
    if (reader.HoldsNul())
        return "NUL 文字が含まれています (バイナリデータか UTF-16 のテキストと思われます).";
    if (m_loneCr)
        return "CR だけで終わる行があります (古い Mac 形式の改行と思われます). "
               "CR LF か LF の改行で保存し直して下さい.";
    if (m_needsHeader && !m_sawHeader && !reader.Blank())
        return Format("%s などの見出し行がありません.", m_header.c_str());
    if (m_undecodable)
        return "Shift-JIS (コードページ 932) として読めないバイトがあります.";
    return {};
}

std::string NotOfFormatMessage(std::string_view file, std::string_view problem, std::string_view outcome)
{
    return Format("ERROR : %sは Zarn2 のファイルとして読めない内容です.\n%s\n%s", std::string(file).c_str(),
                  std::string(problem).c_str(), std::string(outcome).c_str());
}
