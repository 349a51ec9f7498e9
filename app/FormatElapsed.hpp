#pragma once
// The elapsed-time text of the status bar: "1.23 秒", "1 分钟 0 秒", "2 分钟 5.25 秒".

#include <cstdint>
#include <string>

namespace quarrow::app {

// The time between two readings of the millisecond tick counter (GetTickCount), in seconds rounded to
// two decimals; from one minute on as whole minutes and the seconds left over. Numbers are written in
// their shortest form. The counter wraps after 49.7 days; the difference is taken modulo 2^32, so a
// command that spans the wrap is still timed right.
std::wstring FormatElapsed(std::uint32_t startTicks, std::uint32_t endTicks);

} // namespace quarrow::app
