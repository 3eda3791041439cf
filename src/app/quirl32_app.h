#pragma once
// The application object: start-up, the idle hook that steps every set view,
// the registry of live set views and the colour scheme of all of them.

#include "platform/docview/winapp.h"
#include "view/view_options.h"

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

private:
    void SetScheme(PaletteScheme scheme);
    BOOL m_bBaseIdle = FALSE;
};

// The one application object.
CQuirl32App& TheApp();
