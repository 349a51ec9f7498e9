#include "ProgressText.hpp"

#include "Text.hpp"

#include <cstdio>

namespace quarrow::app {

std::wstring CountText(std::int64_t done, std::int64_t total) {
    return DecimalText(done) + L" / " + DecimalText(total);
}

std::wstring WholePercentText(std::int64_t done, std::int64_t total) {
    // Integer arithmetic: a double would misplace ties such as 37.5 only by luck of representation.
    const std::int64_t scaled = done * 100;
    std::int64_t quotient = scaled / total;
    const std::int64_t remainder = scaled % total;
    if (2 * remainder > total || (2 * remainder == total && quotient % 2 != 0)) {
        ++quotient;
    }
    return DecimalText(quotient) + L"%";
}

std::wstring PrecisePercentText(std::int64_t done, std::int64_t total) {
    const double percent = static_cast<double>(done) / static_cast<double>(total) * 100.0;
    char digits[40];
    std::snprintf(digits, sizeof digits, "%.15G", percent);
    std::wstring text;
    for (const char* c = digits; *c != '\0'; ++c) {
        text.push_back(static_cast<wchar_t>(*c));
    }
    return text + L"%";
}

} // namespace quarrow::app
