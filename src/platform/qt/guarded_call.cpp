#include "platform/qt/guarded_call.h"

#include "platform/exceptions.h"
#include "platform/msgbox.h"

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
