#pragma once
// How a window gets the progress window for one long operation. The program makes a dlgSave owned by
// the window that runs the operation; tests hand in a recorder instead.

#include "ProgressDisplay.hpp"

#include <windows.h>

#include <functional>
#include <memory>

namespace quarrow::app {

using ProgressWindowFactory = std::function<std::unique_ptr<ProgressDisplay>(HWND owner)>;

} // namespace quarrow::app
