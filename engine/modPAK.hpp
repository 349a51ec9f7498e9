#pragma once
// Small stateless routines on stored paths, directory chains and hexadecimal texts. Positions in
// texts and the separator follow the archive's conventions: the separator is "\", always.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace quarrow {

inline constexpr wchar_t kArchiveSeparator = L'\\';

// The directory part: everything before the last "\"; empty when there is none or it is the first
// character.
std::wstring GetPathHead(std::wstring_view path);

// The file name: everything after the last "\"; the whole path when there is none.
std::wstring GetPathTail(std::wstring_view path);

// Takes the text up to and including the first `separator` off `text` and returns it. When the
// separator does not occur, the whole text is taken.
std::wstring CutToken(std::wstring& text, wchar_t separator);

// Creates every missing directory on `path`, outermost first, ignoring levels that already exist or
// cannot be made (a later write into them reports that). Returns the number of levels below the drive
// or root.
std::int32_t CreateFolderTree(const std::filesystem::path& path);

// Upper-case hexadecimal text with an even number of digits: 0 -> "00", 256 -> "0100".
std::wstring LongToHex(std::int32_t value);

} // namespace quarrow
