#pragma once
// The top-level windows of a thread, for code that must not let an exception reach the system's
// enumeration: where it would end the program (a 32-bit build unwinds with tables that cannot pass
// user32's frames).

#include <windows.h>

#include <functional>

namespace quarrow::win32 {

// Calls `visit` for each top-level window of the thread, topmost first, until it returns false. An
// exception from `visit` ends the enumeration and is thrown again here, once the system has returned.
void ForEachThreadWindow(DWORD threadId, const std::function<bool(HWND)>& visit);

} // namespace quarrow::win32
