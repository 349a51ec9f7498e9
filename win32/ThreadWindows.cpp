#include "ThreadWindows.hpp"

#include <exception>

namespace quarrow::win32 {

namespace {

struct Enumeration {
    const std::function<bool(HWND)>& visit;
    std::exception_ptr failure;
};

BOOL CALLBACK VisitWindow(HWND window, LPARAM lParam) {
    auto& enumeration = *reinterpret_cast<Enumeration*>(lParam);
    try {
        return enumeration.visit(window) ? TRUE : FALSE;
    } catch (...) {
        enumeration.failure = std::current_exception();
        return FALSE;
    }
}

} // namespace

void ForEachThreadWindow(DWORD threadId, const std::function<bool(HWND)>& visit) {
    Enumeration enumeration{visit, nullptr};
    EnumThreadWindows(threadId, &VisitWindow, reinterpret_cast<LPARAM>(&enumeration));
    if (enumeration.failure) {
        std::rethrow_exception(enumeration.failure);
    }
}

} // namespace quarrow::win32
