#include "platform/qt/host/guarded_call.h"

#include "platform/files/exceptions.h"
#include "platform/framework/msgbox.h"

void ReportHandlerException() {
    const char* text = AfxHandledExceptionText("Internal application error.");
    try {
        AfxMessageBox(text);
    } catch (...) {
    }
}
