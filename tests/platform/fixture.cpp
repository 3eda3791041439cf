#include "fixture.h"

int TestView::s_nLive = 0;

TestDoc::TestDoc() = default;

BOOL TestDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return FALSE;
    if (m_bFailNew)
        return FALSE;
    m_values[0] = -2.1;
    m_values[1] = 1.5;
    m_values[2] = -1.2;
    m_values[3] = 1.2;
    m_nA = 50;
    m_nB = 10;
    return TRUE;
}

void TestDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        for (double v : m_values)
            ar << v;
        ar << m_nA << m_nB;
    } else {
        for (double& v : m_values)
            ar >> v;
        ar >> m_nA >> m_nB;
        ++m_nLoads;
    }
}

TestView::TestView() {
    ++s_nLive;
}

TestView::~TestView() {
    --s_nLive;
}

void TestView::OnDraw(CDC* pDC) {
    ++m_nDraws;
    RECT rc;
    GetClientRect(&rc);
    CBrush brush;
    brush.CreateSolidBrush(PaletteIndexColor(3));
    pDC->FillRect(&rc, &brush);
}

void TestView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) {
    ++m_nUpdates;
    CView::OnUpdate(pSender, lHint, pHint);
}

COLORREF TestView::ResolveColor(COLORREF value) const {
    return IsPaletteIndexColor(value) ? RGB(0, 0, BYTE(10 * PaletteIndexOf(value))) : value;
}

int TestMainFrame::OnCreate(void* p) {
    if (CMDIFrameWnd::OnCreate(p) == -1)
        return -1;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                                      ID_INDICATOR_SCRL};
    if (!m_wndToolBar.CreateEx(this, 0, 0, CRect(), AFX_IDW_TOOLBAR) ||
        !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!m_wndStatusBar.Create(this, 0, AFX_IDW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(indicators, 4))
        return -1;
    return 0;
}

TestApp::TestApp() {
    AfxSetResources(&TestResources());
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
}

TestApp::~TestApp() {
    CloseAllDocuments();
    delete m_pMainWnd;
}

BOOL TestApp::InitInstance() {
    SetRegistryKey("Quirl32");
    LoadStdProfileSettings(3);
    AddDocTemplate(CMultiDocTemplate::Make<TestDoc, TestChildFrame, TestView>(IDR_TESTTYPE));
    auto* frame = new TestMainFrame;
    if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr)) {
        delete frame;
        return FALSE;
    }
    m_pMainWnd = frame;
    frame->DragAcceptFiles(TRUE);
    frame->ShowWindow(m_nCmdShow);
    frame->UpdateWindow();
    return TRUE;
}

BOOL TestApp::OnIdle(long lCount) {
    m_idleCounts.push_back(lCount);
    const BOOL base = CWinApp::OnIdle(lCount);
    if (m_nExtraIdle > 0) {
        --m_nExtraIdle;
        return TRUE;
    }
    return base;
}

const ResourceTable& TestResources() {
    static const ResourceTable table = [] {
        ResourceTable t;
        t.strings[AFX_IDS_APP_TITLE] = "Quirl32";
        t.strings[IDR_MAINFRAME] = "Quirl32";
        t.strings[IDR_TESTTYPE] =
            "\nQuirl3\nQuirl3\nQuirl3 Files (*.qrl)\n.qrl\nQuirl32.Document\nQuirl3 Document";
        t.toolbars[IDR_MAINFRAME].buttons = {ID_FILE_NEW, ID_SEPARATOR, ID_TEST_A, ID_TEST_B};
        t.menus[IDR_MAINFRAME] = MenuResource{};
        t.menus[IDR_TESTTYPE] = MenuResource{};
        DialogTemplate d;
        d.id = IDD_TEST;
        d.title = "Test";
        d.cx = 100;
        d.cy = 50;
        d.controls = {
            {ControlKind::DefPushButton, IDOK, "OK", 60, 5, 30, 14, CS_TABSTOP},
            {ControlKind::Edit, IDC_FIRST, "", 5, 5, 40, 12, CS_TABSTOP | CS_BORDER},
            {ControlKind::Edit, IDC_SECOND, "", 5, 20, 40, 12, CS_TABSTOP | CS_BORDER},
            {ControlKind::Icon, 1000, "128", 5, 35, 20, 20, 0},
        };
        t.dialogs[IDD_TEST] = d;
        return t;
    }();
    return table;
}

Bytes CountingBytes(std::size_t n, std::uint8_t first) {
    Bytes bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = std::uint8_t(first + i);
    return bytes;
}
