#pragma once
// Text from an archive, made safe for a terminal. A stored name may hold any byte, and a newline, a
// TAB or an escape sequence printed as it stands would split a line, add a column or take over the
// terminal. As `ls -q` does, every control character becomes "?": a backslash escape would be
// ambiguous, since "\" already separates a stored name's folders.

#include <string>
#include <string_view>

namespace quarrow::cli {

// `text` with every C0 control, DEL and C1 control replaced by "?".
std::wstring Printable(std::wstring_view text);
// The same for UTF-8 text.
std::string PrintableUtf8(std::string_view utf8);

// `text` as a JSON string, quotes included, with every control character escaped, so that a script
// gets the exact name back.
std::string JsonString(std::wstring_view text);

// Bytes as lower-case hexadecimal, two digits each.
std::string HexBytes(std::string_view bytes);

} // namespace quarrow::cli
