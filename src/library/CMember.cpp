#include "library/CMember.h"

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
