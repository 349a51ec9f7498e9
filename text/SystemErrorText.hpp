#pragma once
// The system's own words for a Win32 error code (Windows only), as FormatMessage gives them from the
// system's message table, without inserts and without the line break at their end. Empty when the
// system has no text for the code. Callers that must bound the length cut it themselves.

#include <cstdint>
#include <string>
#include <system_error>

namespace quarrow {

std::wstring SystemErrorText(std::uint32_t code);

// The same for an error of the standard library. A Win32 code (the system category) is told as it is.
// An error number of the C runtime (std::errc, the generic category), whose own words are English
// only, is told through the Win32 code that means the same. Empty for an error number no Win32 code
// matches, and for other categories.
std::wstring SystemErrorText(std::error_code error);

} // namespace quarrow
