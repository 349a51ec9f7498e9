#pragma once
// Paths on this system. A path stays a std::filesystem::path (UTF-16 on Windows, the bytes the system
// gave elsewhere) from the directory listing to the open call, so that no name is lost on the way;
// the text routines here serve display. The separator is "\" on Windows ("/" is accepted there too)
// and "/" elsewhere.

#include <filesystem>
#include <string>
#include <string_view>

namespace quarrow {

#ifdef _WIN32
inline constexpr wchar_t kSystemSeparator = L'\\';
#else
inline constexpr wchar_t kSystemSeparator = L'/';
#endif

bool IsSystemSeparator(wchar_t c);

// The folder part of a path's text (everything before the last separator; empty when there is none
// or when it is the first character) and its file name (everything after it).
std::wstring SystemPathHead(std::wstring_view path);
std::wstring SystemPathTail(std::wstring_view path);

// `folder`, one separator, `level` (one name, never a path of its own). The level is appended as it
// stands, so that it cannot replace the folder as std::filesystem's `/` lets a rooted or drive-
// lettered operand do. An empty folder adds no separator, nor does a bare drive (C:), so that a
// relative folder never turns into a root, nor one that already ends in a separator.
std::filesystem::path JoinLevel(const std::filesystem::path& folder, const std::filesystem::path& level);

} // namespace quarrow
