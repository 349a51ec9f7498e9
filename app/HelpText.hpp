#pragma once
// The usage notes that the Help window shows, one paragraph per command under the caption of its
// toolbar button.

#include <string>

namespace quarrow::app {

// The usage notes: 33 lines joined with CR LF, without a line break after the last.
std::wstring UsageText();

} // namespace quarrow::app
