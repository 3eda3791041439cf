// The application object: its command table, the registry of live set
// views, the idle hook that steps them, and the colour scheme of all views.

#include "app/quirl32_app.h"

#include "commands/resource_ids.h"
#include "view/quirl32_view.h"

namespace {

// Well under the 10 ms an idle call may take, leaving room for one more step.
std::chrono::microseconds g_roundBudget{4000};

} // namespace

CQuirl32App& TheApp() {
    return *static_cast<CQuirl32App*>(AfxGetApp());
}

CQuirl32App::CQuirl32App() {
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    OnCommand(ID_COLORS_STANDARD, [this] { OnColorsStandard(); });
    OnUpdateCommandUI(ID_COLORS_STANDARD, [this](CCmdUI* p) { OnUpdateColorsStandard(p); });
    OnCommand(ID_COLORS_GRAYSCALE, [this] { OnColorsGrayscale(); });
    OnUpdateCommandUI(ID_COLORS_GRAYSCALE, [this](CCmdUI* p) { OnUpdateColorsGrayscale(p); });
    OnCommand(ID_COLORS_BW, [this] { OnColorsBw(); });
    OnUpdateCommandUI(ID_COLORS_BW, [this](CCmdUI* p) { OnUpdateColorsBw(p); });
}

void CQuirl32App::RegisterView(CQuirl32View* pView) {
    m_viewRegistry = new ViewRegistryNode{pView, m_viewRegistry};
}

void CQuirl32App::UnregisterView(CQuirl32View* pView) {
    ViewRegistryNode** link = &m_viewRegistry;
    while (*link != nullptr) {
        ViewRegistryNode* node = *link;
        if (node->pView == pView) {
            // The round goes on with the view after it.
            if (m_pRoundNext == pView)
                m_pRoundNext = node->pNext != nullptr ? node->pNext->pView : nullptr;
            *link = node->pNext;
            delete node;
        } else {
            link = &node->pNext;
        }
    }
}

BOOL CQuirl32App::OnIdle(long lCount) {
    if (lCount == 0)
        m_bBaseIdle = TRUE;
    BOOL result = FALSE;
    if (m_bBaseIdle) {
        result = CWinApp::OnIdle(lCount);
        m_bBaseIdle = result;
    }
    // One step for every view, newest first, whatever the others answered.
    ViewRegistryNode* node = m_viewRegistry;
    if (m_pRoundNext != nullptr) {
        while (node != nullptr && node->pView != m_pRoundNext)
            node = node->pNext;
    } else {
        m_bRoundWork = FALSE;
    }
    m_pRoundNext = nullptr;
    const auto start = std::chrono::steady_clock::now();
    while (node != nullptr) {
        ViewRegistryNode* next = node->pNext;
        if (node->pView->IdleStep())
            m_bRoundWork = TRUE;
        node = next;
        if (node != nullptr && std::chrono::steady_clock::now() - start >= g_roundBudget) {
            m_pRoundNext = node->pView;
            return TRUE;
        }
    }
    return result || m_bRoundWork;
}

void CQuirl32App::SetIdleRoundBudget(std::chrono::microseconds budget) {
    g_roundBudget = budget;
}

void CQuirl32App::SetScheme(PaletteScheme scheme) {
    m_paletteScheme = scheme;
    for (ViewRegistryNode* node = m_viewRegistry; node != nullptr; node = node->pNext) {
        node->pView->BuildPaletteColors(m_paletteScheme);
        node->pView->UpdateLogicalPalette();
        // Pictures keep palette indices: show the new colours at once.
        node->pView->InvalidateRgn(nullptr, FALSE);
    }
}

void CQuirl32App::OnColorsStandard() {
    SetScheme(Standard);
}
void CQuirl32App::OnColorsGrayscale() {
    SetScheme(Grayscale);
}
void CQuirl32App::OnColorsBw() {
    SetScheme(BlackWhite);
}

void CQuirl32App::OnUpdateColorsStandard(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_paletteScheme == Standard);
}
void CQuirl32App::OnUpdateColorsGrayscale(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_paletteScheme == Grayscale);
}
void CQuirl32App::OnUpdateColorsBw(CCmdUI* pCmdUI) {
    pCmdUI->SetCheck(m_paletteScheme == BlackWhite);
}
