// The backend's services: clipboard, printing, help and settings.

#include "platform/qt/host/qt_host.h"

#include "platform/docview/winapp.h"
#include "platform/qt/dialogs/help_window.h"
#include "platform/qt/host/image_convert.h"
#include "platform/qt/host/qt_text.h"
#include "platform/qt/printing/print_support.h"
#include "platform/qt/windows/main_window.h"
#include "platform/qt/windows/view_widget.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSettings>

namespace {

CString SettingsName(const CString& value) {
    return value.empty() ? "Quirl32" : value;
}

} // namespace

void QtHost::SetClipboardImage(const Surface& rgb) {
    QGuiApplication::clipboard()->setImage(SurfaceToImage(rgb, nullptr));
}

BOOL QtHost::PrintDialog(CPrintInfo& info) {
    return m_print->PrintDialog(info, Owner());
}

BOOL QtHost::RunPrintJob(CView* pView, CPrintInfo& info) {
    if (pView == nullptr)
        return FALSE;
    ViewWidget* view = ViewWidgetOf(pView);
    const QSize client = view != nullptr ? view->ClientSize() : QSize();
    return m_print->RunPrintJob(pView, info, client, Owner()) ? TRUE : FALSE;
}

void QtHost::PrintSetupDialog() {
    m_print->PageSetupDialog(Owner());
}

void QtHost::ShowHelp(UINT nCommand) {
    if (!m_help)
        m_help = new HelpWindow(m_main);
    m_help->ShowPage(nCommand == HELP_HELPONHELP ? QStringLiteral("using-help.html")
                                                 : QStringLiteral("index.html"));
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

CString QtHost::GetProfileString(const CString& section, const CString& entry,
                                 const CString& defaultValue) {
    CWinApp* app = AfxGetApp();
    QSettings settings(ToQt(SettingsName(app != nullptr ? app->m_pszRegistryKey : CString())),
                       ToQt(SettingsName(app != nullptr ? app->m_pszAppName : CString())));
    settings.beginGroup(ToQt(section));
    return FromQt(settings.value(ToQt(entry), ToQt(defaultValue)).toString());
}

BOOL QtHost::WriteProfileString(const CString& section, const CString& entry,
                                const CString& value) {
    CWinApp* app = AfxGetApp();
    QSettings settings(ToQt(SettingsName(app != nullptr ? app->m_pszRegistryKey : CString())),
                       ToQt(SettingsName(app != nullptr ? app->m_pszAppName : CString())));
    settings.beginGroup(ToQt(section));
    settings.setValue(ToQt(entry), ToQt(value));
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError ? TRUE : FALSE;
}
