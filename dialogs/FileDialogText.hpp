#pragma once
// The texts that cross between a file dialog's properties and the system's dialog record: the filter
// list, the filter entry in force after OK, and the text taken back from NUL-filled buffers.

#include <string>
#include <string_view>

namespace quarrow::dialogs {

// The system's filter list from the caller's "description|pattern|description|pattern" text: every
// "|" and every ":" ends a piece (so "description:pattern" works too), and the list ends with two NULs.
std::wstring SystemFilterList(std::wstring_view filter);

// Entry `filterIndex` (counted in description and pattern pairs from 1) of a list made by
// SystemFilterList, as description, one NUL and pattern; empty when there is no such pair.
std::wstring ChosenFilterEntry(std::wstring_view systemFilterList, int filterIndex);

// The text of a buffer up to its first NUL (all of it when there is none).
std::wstring TextUpToNul(std::wstring_view buffer);

// A multiple selection as the system left it in its buffer: the NUL-separated names with the two
// NULs that end them, without the unused fill behind. All of the buffer when it holds no double NUL.
std::wstring SelectionUpToDoubleNul(std::wstring_view buffer);

} // namespace quarrow::dialogs
