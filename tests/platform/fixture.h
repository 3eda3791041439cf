#pragma once
// A small application on the headless backend for the framework's tests: a
// document of four doubles and two 32-bit integers (40 bytes), a view that
// paints one palette colour, a set-window frame of 260 x 260 and a main frame.

#include "platform/docview/winapp.h"
#include "platform/framework/bars.h"
#include "platform/framework/dialog.h"
#include "platform/framework/msgbox.h"
#include "platform/framework/resources.h"
#include "platform/headless/headless_host.h"
#include "support/temp_folder.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_TESTTYPE = 129;
constexpr UINT IDD_TEST = 200;
constexpr int IDC_FIRST = 1001;
constexpr int IDC_SECOND = 1002;

// Commands of the tests: which targets handle them is set per test.
constexpr UINT ID_TEST_A = 32800;
constexpr UINT ID_TEST_B = 32801;
constexpr UINT ID_TEST_THROW = 32802;

// The command tables are protected; the tests fill them from outside.
class TestDoc : public CDocument {
public:
    using CCmdTarget::OnCommand;
    using CCmdTarget::OnUpdateCommandUI;
    TestDoc();
    BOOL OnNewDocument() override;
    void Serialize(CArchive& ar) override;

    double m_values[4] = {};
    std::int32_t m_nA = 0;
    std::int32_t m_nB = 0;
    int m_nLoads = 0;
    BOOL m_bFailNew = FALSE;
    std::vector<CString>* m_pLog = nullptr;
};

class TestView : public CView {
public:
    using CCmdTarget::OnCommand;
    using CCmdTarget::OnUpdateCommandUI;
    using CWnd::OnMessage;
    TestView();
    ~TestView() override;
    void OnDraw(CDC* pDC) override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    COLORREF ResolveColor(COLORREF value) const override;

    int m_nDraws = 0;
    int m_nUpdates = 0;
    int m_nInitialUpdates = 0;
    std::vector<LPARAM> m_sizes;
    std::vector<CString>* m_pLog = nullptr;
    static int s_nLive;
};

class TestChildFrame : public CMDIChildWnd {
public:
    using CCmdTarget::OnCommand;
    using CCmdTarget::OnUpdateCommandUI;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        cs.cx = 260;
        cs.cy = 260;
        return CMDIChildWnd::PreCreateWindow(cs);
    }
};

class TestMainFrame : public CMDIFrameWnd {
public:
    using CCmdTarget::OnCommand;
    using CCmdTarget::OnUpdateCommandUI;
    using CWnd::OnMessage;
    int OnCreate(void* p) override;
    CToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
};

class TestApp : public CWinApp {
public:
    using CCmdTarget::OnCommand;
    using CCmdTarget::OnUpdateCommandUI;
    TestApp();
    ~TestApp() override;
    BOOL InitInstance() override;
    BOOL OnIdle(long lCount) override;

    std::vector<long> m_idleCounts;
    int m_nExtraIdle = 0; // idle calls that still ask for more after the base
    std::vector<CString> m_log;
};

// The resources of the test application.
const ResourceTable& TestResources();

// n bytes counting up from first.
Bytes CountingBytes(std::size_t n, std::uint8_t first = 1);
