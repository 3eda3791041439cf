#include "app/set_doc_template.h"

#include "app/child_frame.h"
#include "commands/resource_ids.h"
#include "doc/quirl32_doc.h"
#include "view/quirl32_view.h"

CMultiDocTemplate* NewSetDocTemplate() {
    return CMultiDocTemplate::Make<CQuirl32Doc, CChildFrame, CQuirl32View>(IDR_QUIRL3TYPE);
}
