// No exception may unwind through user32 or comctl32: every callback the system calls into our
// code (window, subclass and dialog procedures, enumeration callbacks) catches everything at its
// boundary and hands it to ReportCallbackException, the one place that decides what happens:
// the exception is written to the debugger output and counted, and the callback returns its
// neutral answer.
#pragma once

#include "win/framework/Win32.h"

#include <functional>

namespace brindlex {

// Call inside a catch block. `where` names the callback boundary.
void ReportCallbackException(const char* where) noexcept;
// How many exceptions were stopped at callback boundaries so far (tests look at it).
unsigned long CallbackExceptionCount() noexcept;

// Runs body(); an exception is reported and fallback returned instead.
template <typename R, typename F> R GuardCallback(const char* where, R fallback, F&& body) noexcept {
    try {
        return body();
    } catch (...) {
        ReportCallbackException(where);
        return fallback;
    }
}

// EnumWindows with a function: visit returns false to stop. An exception thrown by visit stops
// the enumeration and is reported. Returns false if the enumeration was stopped or failed.
bool EnumTopLevelWindows(const std::function<bool(HWND)>& visit);

} // namespace brindlex
