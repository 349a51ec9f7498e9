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

// File-system paths from and to wide text, exact on both systems. On POSIX a path is bytes, mostly
// UTF-8; a byte that is no part of UTF-8 (a name written in code page 936, say) travels in wide text as
// the code point U+DC00 plus the byte, which UTF-8 never yields, so that the path comes back byte for
// byte. Such text shows U+FFFD where it is displayed.
std::filesystem::path PathFromWide(std::wstring_view wide);
std::wstring WideFromPath(const std::filesystem::path& path);

// Whether wide text from a path carries bytes that are no part of UTF-8 (never on Windows).
bool HasEscapedBytes(std::wstring_view wide);

// Upper case that does not depend on the process locale: ASCII, Latin-1, Greek, Cyrillic and the
// full-width Latin letters, which are the cased letters that code page 936 can store.
wchar_t ToUpperInvariant(wchar_t c);
std::wstring ToUpperInvariant(std::wstring_view text);

// Decimal text of a number, without grouping.
std::wstring DecimalText(long long value);

} // namespace quarrow
