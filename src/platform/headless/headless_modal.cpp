#include "platform/headless/headless_host.h"

#include "platform/framework/dialog.h"

#include <stdexcept>

BOOL HeadlessHost::TrackRubberBand(CWnd*, CPoint, BOOL, CRect& result) {
    ModalScope modal(m_nModalDepth);
    ++m_nRubberBandCalls;
    if (m_rubberBands.empty())
        return FALSE;
    const std::optional<CRect> next = m_rubberBands.front();
    m_rubberBands.pop_front();
    if (!next)
        return FALSE;
    result = *next;
    return TRUE;
}

void HeadlessHost::PushDialogResponder(DialogResponder responder) {
    m_responders.push_back(std::move(responder));
}

long HeadlessHost::RunModalDialog(CDialog& dialog) {
    const DialogTemplate* tmpl = dialog.GetTemplate();
    if (tmpl == nullptr)
        return -1;
    if (m_dialogs.count(&dialog) != 0)
        throw std::logic_error("dialog is already running");
    ModalScope modal(m_nModalDepth);
    m_dialogsShown.push_back(tmpl->id);
    for (auto it = m_lastIcons.begin(); it != m_lastIcons.end();)
        it = it->first.first == &dialog ? m_lastIcons.erase(it) : std::next(it);

    // Controls start with their template text.
    DialogState& state = m_dialogs[&dialog];
    for (const DialogControl& c : tmpl->controls)
        if (c.id != IDC_STATIC && c.kind != ControlKind::Icon)
            state.texts[c.id] = c.text;

    DialogResponder responder;
    if (!m_responders.empty()) {
        responder = std::move(m_responders.front());
        m_responders.pop_front();
    }

    struct Cleanup {
        HeadlessHost& host;
        const CDialog* dialog;
        ~Cleanup() {
            auto it = host.m_dialogs.find(dialog);
            if (it == host.m_dialogs.end())
                return;
            for (const auto& [id, icon] : it->second.icons)
                host.m_lastIcons[{dialog, id}] = icon;
            host.m_dialogs.erase(it);
        }
    } cleanup{*this, &dialog};

    dialog.OnInitDialog();
    // A dialog whose OK handler refuses to close is asked again, a few times.
    for (int attempt = 0; attempt < 8 && !m_dialogs[&dialog].ended; ++attempt) {
        const int button = responder ? responder(dialog) : IDCANCEL;
        if (m_dialogs[&dialog].ended)
            break;
        if (button == IDOK)
            dialog.OnOK();
        else if (button == IDCANCEL)
            dialog.OnCancel();
        else
            dialog.EndDialog(button);
        if (!responder)
            break;
    }
    DialogState& done = m_dialogs[&dialog];
    return done.ended ? done.result : IDCANCEL;
}

void HeadlessHost::EndDialog(CDialog& dialog, int nResult) {
    auto it = m_dialogs.find(&dialog);
    if (it == m_dialogs.end())
        return;
    it->second.ended = true;
    it->second.result = nResult;
}

CString HeadlessHost::GetDialogItemText(const CDialog& dialog, int nID) {
    auto it = m_dialogs.find(&dialog);
    if (it == m_dialogs.end())
        return CString();
    auto text = it->second.texts.find(nID);
    return text != it->second.texts.end() ? text->second : CString();
}

void HeadlessHost::SetDialogItemText(CDialog& dialog, int nID, const CString& text) {
    auto it = m_dialogs.find(&dialog);
    if (it != m_dialogs.end())
        it->second.texts[nID] = text;
}

BOOL HeadlessHost::GetDialogItemRect(const CDialog& dialog, int nID, RECT& rect) {
    const DialogTemplate* tmpl = dialog.GetTemplate();
    if (tmpl == nullptr)
        return FALSE;
    for (const DialogControl& c : tmpl->controls) {
        if (c.id != nID)
            continue;
        rect.left = c.x * kDialogUnitX / 4;
        rect.top = c.y * kDialogUnitY / 8;
        rect.right = (c.x + c.cx) * kDialogUnitX / 4;
        rect.bottom = (c.y + c.cy) * kDialogUnitY / 8;
        return TRUE;
    }
    return FALSE;
}

void HeadlessHost::SetDialogItemIcon(CDialog& dialog, int nID, UINT nIconId) {
    auto it = m_dialogs.find(&dialog);
    if (it != m_dialogs.end())
        it->second.icons[nID] = nIconId;
}

UINT HeadlessHost::DialogItemIcon(const CDialog& dialog, int nID) const {
    auto it = m_dialogs.find(&dialog);
    if (it != m_dialogs.end()) {
        auto icon = it->second.icons.find(nID);
        return icon != it->second.icons.end() ? icon->second : 0;
    }
    auto last = m_lastIcons.find({&dialog, nID});
    return last != m_lastIcons.end() ? last->second : 0;
}

int HeadlessHost::MessageBox(const CString& text, const CString& caption, UINT nType) {
    ModalScope modal(m_nModalDepth);
    m_messageBoxes.push_back(MessageBoxRecord{text, caption, nType});
    if (!m_messageBoxAnswers.empty()) {
        const int answer = m_messageBoxAnswers.front();
        m_messageBoxAnswers.pop_front();
        return answer;
    }
    const UINT kind = nType & MB_TYPEMASK;
    return kind == MB_YESNO || kind == MB_YESNOCANCEL ? IDNO : IDOK;
}

BOOL HeadlessHost::PromptFileName(CString& path, BOOL bOpen, const CString& filter,
                                  const CString& defaultExt) {
    ModalScope modal(m_nModalDepth);
    m_filePrompts.push_back(FilePrompt{path, bOpen, filter, defaultExt});
    if (m_fileNames.empty())
        return FALSE;
    const std::optional<CString> next = m_fileNames.front();
    m_fileNames.pop_front();
    if (!next)
        return FALSE;
    path = *next;
    return TRUE;
}
