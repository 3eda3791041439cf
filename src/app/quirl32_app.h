#pragma once
// The application object: start-up, the idle hook that steps every set view,
// the registry of live set views and the colour scheme of all of them.

#include "platform/docview/winapp.h"
#include "view/view_options.h"

#include <chrono>

class CQuirl32View;

struct ViewRegistryNode {
    CQuirl32View* pView = nullptr;
    ViewRegistryNode* pNext = nullptr;
};

class CQuirl32App : public CWinApp {
public:
    CQuirl32App();

    BOOL InitInstance() override;
    BOOL OnIdle(long lCount) override;

    void OnAppAbout();
    void OnColorsStandard();
    void OnColorsGrayscale();
    void OnColorsBw();
    void OnUpdateColorsStandard(CCmdUI* pCmdUI);
    void OnUpdateColorsGrayscale(CCmdUI* pCmdUI);
    void OnUpdateColorsBw(CCmdUI* pCmdUI);

    // Views link themselves in front on construction and out on destruction.
    void RegisterView(CQuirl32View* pView);
    void UnregisterView(CQuirl32View* pView);

    ViewRegistryNode* m_viewRegistry = nullptr;
    PaletteScheme m_paletteScheme = Standard;

    // How long one idle call may go on stepping views: a round of steps over
    // many windows that takes longer goes on in the next idle call, from the
    // next view, so that input is handled in between.
    static void SetIdleRoundBudget(std::chrono::microseconds budget);

private:
    void SetScheme(PaletteScheme scheme);
    BOOL m_bBaseIdle = FALSE;
    // The view the round goes on with in the next idle call, or none when
    // the next call starts a new round; and whether any view of the round so
    // far had work left.
    CQuirl32View* m_pRoundNext = nullptr;
    BOOL m_bRoundWork = FALSE;
};

// The one application object.
CQuirl32App& TheApp();
