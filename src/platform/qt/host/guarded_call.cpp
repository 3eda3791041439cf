#include "platform/qt/host/guarded_call.h"

#include "platform/files/exceptions.h"
#include "platform/framework/msgbox.h"

#include <exception>
#include <new>

void ReportHandlerException() {
    const char* text = "Internal application error.";
    try {
        throw;
    } catch (const CMemoryException&) {
        text = "Out of memory.";
    } catch (const std::bad_alloc&) {
        text = "Out of memory.";
    } catch (...) {
    }
    try {
        AfxMessageBox(text);
    } catch (...) {
    }
}
