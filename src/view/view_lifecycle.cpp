// Construction and destruction of a set view: its registration with the
// application, its message handlers and its command table.

#include "app/quirl32_app.h"
#include "commands/resource_ids.h"
#include "platform/docview/winapp.h"
#include "view/quirl32_view.h"

#include <cstdint>

namespace {

CQuirl32App* LiveApp() {
    return dynamic_cast<CQuirl32App*>(AfxGetApp());
}

} // namespace

CQuirl32View::CQuirl32View() {
    RegisterCommands();
    if (CQuirl32App* pApp = LiveApp())
        pApp->RegisterView(this);
}

CQuirl32View::~CQuirl32View() {
    if (m_pAhead != nullptr)
        m_pAhead->Close();
    delete m_pPalette;
    m_pPalette = nullptr;
    delete m_pMemDC;
    m_pMemDC = nullptr;
    delete m_pBitmap;
    m_pBitmap = nullptr;
    if (CQuirl32App* pApp = LiveApp())
        pApp->UnregisterView(this);
    ClearRects();
}

BOOL CQuirl32View::PreCreateWindow(CREATESTRUCT& cs) {
    return CView::PreCreateWindow(cs);
}

void CQuirl32View::RegisterCommands() {
    OnMessage(WM_USER, [this](WPARAM w, LPARAM l) { return OnRealizePalette(w, l); });
    OnMessage(WM_SIZE, [this](WPARAM w, LPARAM l) {
        OnSize(UINT(w), LOWORD(l), HIWORD(l));
        return LRESULT(0);
    });
    OnMessage(WM_LBUTTONDOWN, [this](WPARAM w, LPARAM l) {
        OnLButtonDown(UINT(w), CPoint(std::int16_t(LOWORD(l)), std::int16_t(HIWORD(l))));
        return LRESULT(0);
    });

    OnCommand(ID_EDIT_COPY, [this] { OnEditCopy(); });
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    OnCommand(ID_FILE_PRINT_DIRECT, [this] { OnFilePrintDirect(); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });

    OnCommand(ID_SET_COMPUTE, [this] { OnSetCompute(); });
    OnUpdateCommandUI(ID_SET_COMPUTE, [this](CCmdUI* p) { OnUpdateSetCompute(p); });
    OnCommand(ID_SET_STOP, [this] { OnSetStop(); });
    OnUpdateCommandUI(ID_SET_STOP, [this](CCmdUI* p) { OnUpdateSetStop(p); });
    OnCommand(ID_METHOD_RECURSION, [this] { OnMethodRecursion(); });
    OnUpdateCommandUI(ID_METHOD_RECURSION, [this](CCmdUI* p) { OnUpdateMethodRecursion(p); });
    OnCommand(ID_METHOD_LINESCAN, [this] { OnMethodLinescan(); });
    OnUpdateCommandUI(ID_METHOD_LINESCAN, [this](CCmdUI* p) { OnUpdateMethodLinescan(p); });
    OnCommand(ID_METHOD_RANDOM, [this] { OnMethodRandom(); });
    OnUpdateCommandUI(ID_METHOD_RANDOM, [this](CCmdUI* p) { OnUpdateMethodRandom(p); });

    const struct {
        UINT id;
        std::int32_t n;
    } presets[] = {{ID_ITER_50, 50},   {ID_ITER_100, 100}, {ID_ITER_120, 120},
                   {ID_ITER_150, 150}, {ID_ITER_200, 200}, {ID_ITER_255, 255}};
    for (const auto& p : presets) {
        const std::int32_t n = p.n;
        OnCommand(p.id, [this, n] { OnIterPreset(n); });
        OnUpdateCommandUI(p.id, [this, n](CCmdUI* ui) { OnUpdateIterPreset(ui, n); });
    }
    OnCommand(ID_ITER_OTHER, [this] { OnIterOther(); });
    OnUpdateCommandUI(ID_ITER_OTHER, [this](CCmdUI* p) { OnUpdateIterOther(p); });
    OnCommand(ID_SET_INFO, [this] { OnSetInfo(); });
}
