#include "library/CMember.h"

#include <utility>

void CMember::CopyFrom(const CMember& src)
{
    if (&src != this) {
        m_szName = src.m_szName;
        m_szExePath = src.m_szExePath;
        m_szIconPath = src.m_szIconPath;
        m_szLogFile = src.m_szLogFile;
        m_nAutoTiming = src.m_nAutoTiming;
        m_nUseMedia = src.m_nUseMedia;
    }
    // Whatever the slot held belongs to its former title: it is read again when shown.
    ReleaseHistory();
}

void CMember::Clear()
{
    m_szName.clear();
    m_szExePath.clear();
    m_szIconPath.clear();
    m_szLogFile.clear();
    m_nAutoTiming = 1;
    m_nUseMedia = 0;
    ReleaseHistory();
}

void CMember::SwapWith(CMember& other)
{
    if (&other == this)
        return;
    std::swap(m_szName, other.m_szName);
    std::swap(m_szExePath, other.m_szExePath);
    std::swap(m_szIconPath, other.m_szIconPath);
    std::swap(m_szLogFile, other.m_szLogFile);
    std::swap(m_nAutoTiming, other.m_nAutoTiming);
    std::swap(m_nUseMedia, other.m_nUseMedia);
    std::swap(static_cast<CPlayHistory&>(*this), static_cast<CPlayHistory&>(other));
}

void CMember::TakeFrom(CMember& src)
{
    if (&src == this)
        return;
    m_szName = std::move(src.m_szName);
    m_szExePath = std::move(src.m_szExePath);
    m_szIconPath = std::move(src.m_szIconPath);
    m_szLogFile = std::move(src.m_szLogFile);
    m_nAutoTiming = src.m_nAutoTiming;
    m_nUseMedia = src.m_nUseMedia;
    static_cast<CPlayHistory&>(*this) = std::move(static_cast<CPlayHistory&>(src));
    src.Clear();
}
