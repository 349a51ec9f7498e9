#pragma once
// The version this build carries: CMake's project version, which the build hands to the tests as
// QUARROW_VERSION, as it hands it to the programs' version data. Tests compare with this, never with
// a version of their own.

#include <string_view>

namespace quarrow::testing {

inline constexpr std::string_view kBuildVersion = QUARROW_VERSION;
inline constexpr std::wstring_view kBuildVersionWide = L"" QUARROW_VERSION;

} // namespace quarrow::testing
