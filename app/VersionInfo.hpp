#pragma once
// The program's version data, read from its own version resource at run time, so that the caption and
// the About window always show what the executable carries.

#include <string>

namespace quarrow::app {

struct VersionInfo {
    int major = 0;
    int minor = 0;
    int revision = 0;
    std::wstring legalCopyright;

    // "1.1.0": major, minor and revision joined with dots.
    std::wstring Text() const;
};

// The version data of the running executable; zeros and an empty copyright when it has none.
VersionInfo ReadVersionInfo();

} // namespace quarrow::app
