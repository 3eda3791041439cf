// The backend's modal loops: the rubber band, template dialogs, message
// boxes and file dialogs. No idle call runs while one is open.

#include "platform/qt/host/qt_host.h"

#include "platform/docview/winapp.h"
#include "platform/framework/dialog.h"
#include "platform/qt/dialogs/file_dialog.h"
#include "platform/qt/dialogs/focus_return.h"
#include "platform/qt/dialogs/template_dialog.h"
#include "platform/qt/host/guarded_call.h"
#include "platform/qt/host/qt_text.h"
#include "platform/qt/host/window_peers.h"
#include "platform/qt/windows/rubber_band.h"
#include "platform/qt/windows/view_widget.h"

#include <QMessageBox>

namespace {

constexpr UINT MB_ICONMASK = 0x00F0;
constexpr UINT MB_OKCANCEL = 0x0001;
constexpr UINT MB_ICONHAND = 0x0010;
constexpr UINT MB_ICONASTERISK = 0x0040;

} // namespace

BOOL QtHost::TrackRubberBand(CWnd* pWnd, CPoint start, BOOL bAllowInvert, CRect& result) {
    ViewWidget* view = ViewWidgetOf(pWnd);
    if (view == nullptr)
        return FALSE;
    const TrackResult track =
        ::TrackRubberBand(view, QPoint(start.x, start.y), bAllowInvert != FALSE, m_pump);
    result = CRect(track.rect.left(), track.rect.top(), track.rect.right(), track.rect.bottom());
    return track.changed ? TRUE : FALSE;
}

long QtHost::RunModalDialog(CDialog& dialog) {
    const DialogTemplate* t = dialog.GetTemplate();
    if (t == nullptr)
        return -1;
    FocusReturn focus(Owner());
    TemplateDialog window(dialog, *t, Owner());
    // The dialog's peer lives while the dialog runs.
    struct PeerScope {
        CDialog& dialog;
        ~PeerScope() { dialog.SetPeer(nullptr); }
    } peerScope{dialog};
    dialog.SetPeer(std::make_unique<DialogPeer>(*this, &dialog, &window));
    const BOOL defaultFocus = GuardedCall([&] { return dialog.OnInitDialog(); }, TRUE);
    if (defaultFocus)
        window.FocusFirstTabStop();
    window.Place(Owner());
    long result = -1;
    {
        ModalScope modal(m_pump);
        result = window.exec();
    }
    return result;
}

void QtHost::EndDialog(CDialog& dialog, int nResult) {
    if (TemplateDialog* window = DialogOf(dialog))
        window->done(nResult);
}

CString QtHost::GetDialogItemText(const CDialog& dialog, int nID) {
    TemplateDialog* window = DialogOf(dialog);
    return window != nullptr ? FromQt(window->ControlText(nID)) : CString();
}

void QtHost::SetDialogItemText(CDialog& dialog, int nID, const CString& text) {
    if (TemplateDialog* window = DialogOf(dialog))
        window->SetControlText(nID, ToQt(text));
}

BOOL QtHost::GetDialogItemRect(const CDialog& dialog, int nID, RECT& rect) {
    TemplateDialog* window = DialogOf(dialog);
    QWidget* control = window != nullptr ? window->Control(nID) : nullptr;
    if (control == nullptr)
        return FALSE;
    const QRect r = control->geometry();
    rect = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    return TRUE;
}

void QtHost::SetDialogItemIcon(CDialog& dialog, int nID, UINT nIconId) {
    if (TemplateDialog* window = DialogOf(dialog))
        window->SetControlIcon(nID, nIconId);
}

int QtHost::MessageBox(const CString& text, const CString& caption, UINT nType) {
    CString title = caption;
    if (title.empty())
        if (CWinApp* app = AfxGetApp())
            title = app->m_pszAppName;
    FocusReturn focus(Owner());
    QMessageBox box(Owner());
    box.setWindowTitle(ToQt(title));
    box.setText(ToQt(text));
    switch (nType & MB_ICONMASK) {
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONHAND:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONASTERISK:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    switch (nType & MB_TYPEMASK) {
    case MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MB_YESNOCANCEL:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    case MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    int answer = 0;
    {
        ModalScope modal(m_pump);
        answer = box.exec();
    }
    switch (answer) {
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Cancel:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

BOOL QtHost::PromptFileName(CString& path, BOOL bOpen, const CString& filter,
                            const CString& defaultExt) {
    QString chosen = ToQt(path);
    FocusReturn focus(Owner());
    bool ok = false;
    {
        ModalScope modal(m_pump);
        ok = ::PromptFileName(Owner(), chosen, bOpen != FALSE, ToQt(filter), ToQt(defaultExt));
    }
    if (ok)
        path = FromQt(chosen);
    return ok ? TRUE : FALSE;
}
