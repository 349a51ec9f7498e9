#pragma once
// The system's own words for a Win32 error code (Windows only), as FormatMessage gives them from the
// system's message table, without inserts and without the line break at their end. Empty when the
// system has no text for the code. Callers that must bound the length cut it themselves.

#include <cstdint>
#include <string>

namespace quarrow {

std::wstring SystemErrorText(std::uint32_t code);

} // namespace quarrow
