#include "platform/docview/winapp.h"
#include "platform/framework/host.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace {
const char kRecentSection[] = "Recent File List";
const char kSettingsSection[] = "Settings";

CString RecentEntry(UINT i) {
    return "File" + std::to_string(i + 1);
}
} // namespace

void CWinApp::SetRegistryKey(const CString& key) {
    m_pszRegistryKey = key;
}

CString CWinApp::GetProfileString(const CString& section, const CString& entry,
                                  const CString& defaultValue) {
    Host* host = AfxTryGetHost();
    return host != nullptr ? host->GetProfileString(section, entry, defaultValue) : defaultValue;
}

BOOL CWinApp::WriteProfileString(const CString& section, const CString& entry,
                                 const CString& value) {
    Host* host = AfxTryGetHost();
    return host != nullptr ? host->WriteProfileString(section, entry, value) : FALSE;
}

int CWinApp::GetProfileInt(const CString& section, const CString& entry, int defaultValue) {
    const CString text = GetProfileString(section, entry, "");
    if (text.empty())
        return defaultValue;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return defaultValue;
    return int(value);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    m_nMaxMRU = std::min<UINT>(nMaxMRU, 16);
    m_recentFiles.clear();
    for (UINT i = 0; i < m_nMaxMRU; ++i) {
        const CString path = GetProfileString(kRecentSection, RecentEntry(i), "");
        if (path.empty())
            continue;
        if (std::find(m_recentFiles.begin(), m_recentFiles.end(), path) != m_recentFiles.end())
            continue;
        m_recentFiles.push_back(path);
    }
    m_nPreviewPages = GetProfileInt(kSettingsSection, "PreviewPages", 0);
    if (Host* host = AfxTryGetHost())
        host->RecentFilesChanged();
}

void CWinApp::SaveStdProfileSettings() {
    for (UINT i = 0; i < m_nMaxMRU; ++i)
        WriteProfileString(kRecentSection, RecentEntry(i),
                           i < m_recentFiles.size() ? m_recentFiles[i] : CString());
    if (m_nPreviewPages != 0)
        WriteProfileString(kSettingsSection, "PreviewPages", std::to_string(m_nPreviewPages));
}

void CWinApp::AddToRecentFileList(const CString& pathName) {
    if (m_nMaxMRU == 0 || pathName.empty())
        return;
    m_recentFiles.erase(std::remove(m_recentFiles.begin(), m_recentFiles.end(), pathName),
                        m_recentFiles.end());
    m_recentFiles.insert(m_recentFiles.begin(), pathName);
    if (m_recentFiles.size() > m_nMaxMRU)
        m_recentFiles.resize(m_nMaxMRU);
    SaveStdProfileSettings();
    if (Host* host = AfxTryGetHost())
        host->RecentFilesChanged();
}
