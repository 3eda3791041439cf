#pragma once
// Command targets with command tables, and the command-state object that
// update handlers fill in.

#include "platform/framework/types.h"

#include <functional>
#include <map>

class CObject {
public:
    virtual ~CObject() = default;
};

// Asked before a menu opens and at idle time: is the command enabled, is it checked?
class CCmdUI {
public:
    explicit CCmdUI(UINT id = 0) : m_nID(id) {}
    virtual ~CCmdUI() = default;
    virtual void Enable(BOOL bOn = TRUE) {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    virtual void SetCheck(int nCheck = 1) {
        m_nCheck = nCheck;
        m_bCheckChanged = TRUE;
    }

    UINT m_nID;
    BOOL m_bEnabled = FALSE;
    BOOL m_bEnableChanged = FALSE;
    int m_nCheck = 0;
    // The update handler set or cleared a check mark: its toolbar button
    // is a check box from then on.
    BOOL m_bCheckChanged = FALSE;
};

class CCmdTarget : public CObject {
public:
    // With pCmdUI null the command's handler runs. Otherwise the update handler
    // fills pCmdUI; a handler without an update handler enables the command.
    // Returns TRUE when this target handles the command.
    virtual BOOL OnCmdMsg(UINT nID, CCmdUI* pCmdUI);
    BOOL HasCommand(UINT nID) const { return m_commands.count(nID) != 0; }

protected:
    // The command table: constructors register their handlers here.
    void OnCommand(UINT nID, std::function<void()> handler);
    void OnUpdateCommandUI(UINT nID, std::function<void(CCmdUI*)> update);

private:
    struct Entry {
        std::function<void()> handler;
        std::function<void(CCmdUI*)> update;
    };
    std::map<UINT, Entry> m_commands;
};
