#pragma once
// Paths on this system as text: the separator is "\" on Windows ("/" is accepted there too) and "/"
// elsewhere. Stored names always use "\"; these routines translate between the two.

#include <string>
#include <string_view>

namespace quarrow {

#ifdef _WIN32
inline constexpr wchar_t kSystemSeparator = L'\\';
#else
inline constexpr wchar_t kSystemSeparator = L'/';
#endif

bool IsSystemSeparator(wchar_t c);

// The folder part of a path on disk (everything before the last separator; empty when there is none
// or when it is the first character) and its file name (everything after it).
std::wstring SystemPathHead(std::wstring_view path);
std::wstring SystemPathTail(std::wstring_view path);

// Replaces every run of separators by one, except the two that begin a network path (\\server\share).
std::wstring CollapseSeparators(std::wstring_view path);

// `folder`, one separator, `name`, with runs of separators collapsed. An empty folder adds nothing,
// and a bare drive (C:) no separator, so that a relative folder never turns into a root.
std::wstring JoinSystemPath(std::wstring_view folder, std::wstring_view name);

// A stored name's separators ("\") as this system's, and back.
std::wstring SystemFromStoredName(std::wstring_view stored);
std::wstring StoredFromSystemName(std::wstring_view relative);

} // namespace quarrow
