#pragma once
// The texts the progress window puts on its bars.

#include <cstdint>
#include <string>

namespace quarrow::app {

// "7 / 120".
std::wstring CountText(std::int64_t done, std::int64_t total);

// The writer's whole percentage, rounded to the nearest integer with ties to even: "12%" for 1 of 8.
std::wstring WholePercentText(std::int64_t done, std::int64_t total);

// The appender's percentage with up to 15 significant digits and no trailing zeros:
// "33.3333333333333%" for 1 of 3.
std::wstring PrecisePercentText(std::int64_t done, std::int64_t total);

} // namespace quarrow::app
