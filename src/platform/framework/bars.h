#pragma once
// The main window's toolbar and status bar.

#include "platform/framework/wnd.h"

constexpr UINT TBSTYLE_FLAT = 0x0800;
constexpr UINT WS_CHILD = 0x40000000;
constexpr UINT WS_VISIBLE = 0x10000000;
constexpr UINT CBRS_TOP = 0x2000;
constexpr UINT CBRS_BOTTOM = 0x8000;
constexpr UINT CBRS_GRIPPER = 0x00400000;
constexpr UINT CBRS_TOOLTIPS = 0x0010;
constexpr UINT CBRS_FLYBY = 0x0020;
constexpr UINT CBRS_SIZE_DYNAMIC = 0x0040;

class CToolBar : public CWnd {
public:
    BOOL CreateEx(CWnd* pParentWnd, UINT dwCtrlStyle, UINT dwStyle, CRect rcBorders, UINT nID);
    BOOL LoadToolBar(UINT nIDResource);
    void EnableDocking(UINT dwDockStyle);
    UINT GetResourceId() const { return m_nIDResource; }

private:
    UINT m_nIDResource = 0;
};

class CStatusBar : public CWnd {
public:
    BOOL Create(CWnd* pParentWnd, UINT dwStyle, UINT nID);
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

private:
};
