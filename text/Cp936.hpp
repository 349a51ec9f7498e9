#pragma once
// Code page 936 (GBK), the encoding of the names stored in PAK archives. This is the one place where
// text crosses between Unicode and code page 936: through the Windows API on Windows and through
// iconv elsewhere, with the same results.

#include <optional>
#include <string>
#include <string_view>

namespace quarrow::cp936 {

// Exact conversions: empty when some character (or byte sequence) has no exact counterpart. Nothing is
// ever replaced or dropped silently.
std::optional<std::string> Encode(std::wstring_view text);
std::optional<std::wstring> Decode(std::string_view bytes);

// For display: every byte sequence decodes; a byte that does not start a valid character becomes U+FFFD.
std::wstring DecodeLossy(std::string_view bytes);

} // namespace quarrow::cp936
