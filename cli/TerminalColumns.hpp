#pragma once
// How wide text stands on a terminal: most characters take one column, the East Asian wide and
// full-width ones (Chinese among them) take two. A line redrawn in place with "\r" must never wrap, so
// it is measured and cut in columns, not in characters.

#include <cstddef>
#include <string>
#include <string_view>

namespace quarrow::cli {

// The columns `text` takes on a terminal.
std::size_t DisplayColumns(std::wstring_view text);

// `text` in exactly `columns` columns: padded with spaces when shorter; when longer, its beginning and
// its end with "..." between them. A wide character that would stand across a cut is left out, and a
// space at the end makes up for it.
std::wstring FitColumns(std::wstring_view text, std::size_t columns);

} // namespace quarrow::cli
