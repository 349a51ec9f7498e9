#pragma once
// Text inside the program is Unicode in std::wstring (UTF-16 on Windows, UTF-32 elsewhere). These
// routines convert it to and from UTF-8 and file-system paths, and upper-case it the same way on every
// system.

#include <filesystem>
#include <string>
#include <string_view>

namespace quarrow {

// UTF-8 to wide text. Malformed sequences become U+FFFD.
std::wstring WideFromUtf8(std::string_view utf8);

// Wide text to UTF-8. Unpaired surrogates (Windows) become U+FFFD.
std::string Utf8FromWide(std::wstring_view wide);

// File-system paths from and to wide text, exact on both systems (UTF-8 bytes on POSIX).
std::filesystem::path PathFromWide(std::wstring_view wide);
std::wstring WideFromPath(const std::filesystem::path& path);

// Upper case that does not depend on the process locale: ASCII, Latin-1, Greek, Cyrillic and the
// full-width Latin letters, which are the cased letters that code page 936 can store.
wchar_t ToUpperInvariant(wchar_t c);
std::wstring ToUpperInvariant(std::wstring_view text);

// Decimal text of a number, without grouping.
std::wstring DecimalText(long long value);

} // namespace quarrow
