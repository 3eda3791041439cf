#include "app/set_doc_template.h"

#include "commands/resource_ids.h"
#include "doc/quirl32_doc.h"
#include "platform/framework/frame.h"
#include "view/quirl32_view.h"

namespace {

// The set window: a child frame of the main window holding one set view,
// 260 by 260 pixels when it opens.
class CChildFrame : public CMDIChildWnd {
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override {
        cs.cx = 260;
        cs.cy = 260;
        return CMDIChildWnd::PreCreateWindow(cs);
    }
};

} // namespace

CMultiDocTemplate* NewSetDocTemplate() {
    return CMultiDocTemplate::Make<CQuirl32Doc, CChildFrame, CQuirl32View>(IDR_QUIRL3TYPE);
}
