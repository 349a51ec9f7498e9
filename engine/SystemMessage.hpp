#pragma once
// The system's own words for an error, in UTF-8 on one line, for the messages the engine and the
// command line compose. On Windows the standard library gives the text in the ANSI code page and
// with a line break at its end; here it comes from the Unicode call instead.

#include <string>
#include <system_error>

namespace quarrow {

std::string SystemMessage(std::error_code error);

} // namespace quarrow
