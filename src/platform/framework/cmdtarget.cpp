#include "platform/framework/cmdtarget.h"

BOOL CCmdTarget::OnCmdMsg(UINT nID, CCmdUI* pCmdUI) {
    auto it = m_commands.find(nID);
    if (it == m_commands.end())
        return FALSE;
    const Entry& e = it->second;
    if (pCmdUI != nullptr) {
        if (e.update) {
            e.update(pCmdUI);
            if (!pCmdUI->m_bEnableChanged)
                pCmdUI->Enable(TRUE);
        } else if (e.handler) {
            pCmdUI->Enable(TRUE);
        } else {
            return FALSE;
        }
        return TRUE;
    }
    if (!e.handler)
        return FALSE;
    e.handler();
    return TRUE;
}

void CCmdTarget::OnCommand(UINT nID, std::function<void()> handler) {
    m_commands[nID].handler = std::move(handler);
}

void CCmdTarget::OnUpdateCommandUI(UINT nID, std::function<void(CCmdUI*)> update) {
    m_commands[nID].update = std::move(update);
}
