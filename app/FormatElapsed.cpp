#include "FormatElapsed.hpp"

namespace quarrow::app {

namespace {

// Hundredths of a second, rounded to the nearest with ties to even, as every rounding of this
// program does: 1235 ms gives 124, 1245 ms gives 124.
std::uint64_t Centiseconds(std::uint32_t milliseconds) {
    std::uint64_t quotient = milliseconds / 10;
    const std::uint32_t remainder = milliseconds % 10;
    if (remainder > 5 || (remainder == 5 && quotient % 2 == 1)) {
        ++quotient;
    }
    return quotient;
}

// "5.25", "59.7", "12", "0.06": no trailing zeros, no grouping.
std::wstring ShortestDecimal(std::uint64_t centiseconds) {
    std::wstring text = std::to_wstring(centiseconds / 100);
    const std::uint64_t fraction = centiseconds % 100;
    if (fraction != 0) {
        text += L'.';
        text += static_cast<wchar_t>(L'0' + fraction / 10);
        if (fraction % 10 != 0) {
            text += static_cast<wchar_t>(L'0' + fraction % 10);
        }
    }
    return text;
}

} // namespace

std::wstring FormatElapsed(std::uint32_t startTicks, std::uint32_t endTicks) {
    const std::uint64_t elapsed = Centiseconds(endTicks - startTicks);
    constexpr std::uint64_t kMinute = 60 * 100;
    if (elapsed < kMinute) {
        return ShortestDecimal(elapsed) + L" 秒";
    }
    return std::to_wstring(elapsed / kMinute) + L" 分钟 " + ShortestDecimal(elapsed % kMinute) + L" 秒";
}

} // namespace quarrow::app
