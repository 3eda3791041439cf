#pragma once
// Calls into the system from Qt's event handlers: an exception must not
// cross Qt's event loop, so it is shown in a message box and the program
// goes on.

#include <utility>

void ReportHandlerException();

template <class F, class R> R GuardedCall(F&& f, R fallback) {
    try {
        return std::forward<F>(f)();
    } catch (...) {
        ReportHandlerException();
        return fallback;
    }
}

template <class F> void GuardedCall(F&& f) {
    try {
        std::forward<F>(f)();
    } catch (...) {
        ReportHandlerException();
    }
}
