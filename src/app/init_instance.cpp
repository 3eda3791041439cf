// Start-up of the application.

#include "app/quirl32_app.h"
#include "app/set_doc_template.h"

BOOL CQuirl32App::InitInstance() {
    AddDocTemplate(NewSetDocTemplate());
    OnFileNew();
    return TRUE;
}

void CQuirl32App::OnAppAbout() {}
