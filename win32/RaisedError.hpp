#pragma once
// The error that the reusable classes raise for misuse and system failures: a number fixed per
// condition, a source (the executable's name and the class's suffix, such as "Quarrow.cCommonDialog")
// and a description.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quarrow::win32 {

class RaisedError : public std::runtime_error {
public:
    RaisedError(std::int32_t number, std::wstring source, std::wstring description);

    std::int32_t Number() const { return number_; }
    const std::wstring& Source() const { return source_; }
    const std::wstring& Description() const { return description_; }

private:
    std::int32_t number_;
    std::wstring source_;
    std::wstring description_;
};

// The running executable's file name without folder and extension ("Quarrow" for Quarrow.exe).
std::wstring ExecutableName();

// The source text of a class's errors: the executable's name followed by `classSuffix` (".cMemory").
std::wstring ErrorSource(std::wstring_view classSuffix);

} // namespace quarrow::win32
