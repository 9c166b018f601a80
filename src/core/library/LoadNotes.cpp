#include "library/LoadNotes.h"

#include "platform/Format.h"
#include "platform/IMessenger.h"

void LoadNotes::Skip(const std::string& name, const std::string& reason)
{
    if (m_skipped++ == 0)
        m_first = Format("%s の%s [%s] を読み込みませんでした.\n%s", m_file.c_str(), m_entry.c_str(),
                         name.c_str(), reason.c_str());
}

void LoadNotes::Overflow(int capacity, size_t dropped)
{
    m_overflow = Format("%s の%s数が上限[%02d]を超えています.\n%d 番目より後の %zu 件は読み込みませんでした.",
                        m_file.c_str(), m_entry.c_str(), capacity, capacity, dropped);
}

void LoadNotes::Show() const
{
    std::string text = m_first;
    if (m_skipped > 1)
        text += Format("\n(他に %d 件を読み込みませんでした.)", m_skipped - 1);
    if (!m_overflow.empty())
        text += (text.empty() ? "" : "\n\n") + m_overflow;
    if (!text.empty() && !m_copyName.empty())
        text += Format("\n\n読み込まなかった分を失わないよう, このファイルを書き換える前に元のファイルを\n"
                       "%s として同じフォルダに残します.",
                       m_copyName.c_str());
    if (!text.empty())
        Messenger::Show(text);
}
