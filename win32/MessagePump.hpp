#pragma once
// Lets the message loop run once inside a long operation on the user-interface thread, so that the
// progress window repaints and the other windows stay responsive.

namespace quarrow::win32 {

// Dispatches every message waiting in this thread's queue, then returns. A WM_QUIT taken off the
// queue is posted again, so that the main loop still ends.
void PumpPendingMessages();

} // namespace quarrow::win32
