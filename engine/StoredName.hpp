#pragma once
// Stored names cross between Unicode and the index's 40-byte code page 936 field here, and only here.

#include "PakFormat.hpp"

#include <filesystem>
#include <string>
#include <string_view>
#include <variant>

namespace quarrow {

enum class NameFieldProblem {
    Empty,           // an entry needs a name
    Unrepresentable, // some character has no code page 936 form
    TooLong,         // more than 40 bytes in code page 936
};

// The name field: the code page 936 bytes, then zero bytes up to 40. A name of exactly 40 bytes has no
// terminator.
std::variant<NameField, NameFieldProblem> EncodeNameField(std::wstring_view name);

struct DecodedName {
    std::wstring text; // for display; undecodable bytes show as U+FFFD
    bool exact = true; // false when some byte sequence has no code page 936 meaning
};

DecodedName DecodeNameField(const NameField& field);

// The text to store for one level of a path on disk (a file or folder name). A name whose bytes are no
// UTF-8 but code page 936 (as names copied from a Chinese Windows system are) is read as code page 936,
// so that it is stored with the very bytes it has; any other keeps its escaped bytes (see
// WideFromPath), which no name field can hold, so that the pack names it.
std::wstring StoredLevelText(const std::filesystem::path& level);

} // namespace quarrow
