#pragma once
// The texts of the About window: the title, the version line, the credit lines and the legal notice.

#include "VersionInfo.hpp"

#include <string>
#include <string_view>

namespace quarrow::app {

inline constexpr std::wstring_view kProgramTitle = L"Quarrow";

// One credit line: what was done, and by whom.
struct CreditLine {
    std::wstring_view role;
    std::wstring_view name;
};

// The team is credited under its project name rather than as persons.
inline constexpr CreditLine kProgrammingCredit{L"编程", L"Quarrow 开发组"};
inline constexpr CreditLine kTestingCredit{L"内部测试", L"Quarrow 测试组"};

// "版本 " and the version's major, minor and revision joined with dots: "版本 1.1.0".
std::wstring VersionLabel(const VersionInfo& version);

// The legal notice: its heading, then two indented body lines, each after an empty line; CR LF
// between lines, none at the end.
std::wstring LegalNotice();

} // namespace quarrow::app
