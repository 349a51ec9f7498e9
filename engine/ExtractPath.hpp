#pragma once
// Where an entry may be written. The stored name comes from the archive and is not trusted: a name
// that could reach outside the chosen folder, or that Windows could not create as it stands, is
// refused on every system, so that an archive extracts the same everywhere.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quarrow {

enum class NameProblem {
    Empty,              // no name at all
    EmptyFileName,      // the name ends in "\": it names a folder, not a file
    ParentReference,    // a ".." level
    InvalidCharacter,   // a control character or one of < > : " / | ? * (drive letters included)
    DeviceName,         // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without an extension
    TrailingDotOrSpace, // a level ending in "." or " "
    ReservedName,       // the form of this program's temporary files, which a later pack would remove
};

std::string_view Describe(NameProblem problem);

// The stored name as extraction writes it: its levels with the empty ones left out, "\" between them.
// A leading "\" (\ROOT.BIN), a doubled one (DATA\\X.BIN) and the two of a network name
// (\\SERVER\SHARE\Y.BIN) so name a place inside the destination, as any relative name does.
std::wstring CollapsedStoredName(std::wstring_view storedName);

// Judges a stored name ("\" between levels) by its collapsed levels. Empty when it may be written:
// then every level is a plain name, neither "..", nor a drive, nor a device, so that the entry lands
// below the destination.
std::optional<NameProblem> CheckStoredName(std::wstring_view storedName);

// The target folder: the destination, a separator and the levels of the collapsed name's directory
// part; and the target file: the target folder followed by its file name, each level after this
// system's separator. The destination is kept as the system gave it (an empty one or a bare drive
// gets no separator); only the stored name is converted, from text.
struct ExtractTarget {
    std::filesystem::path folder;
    std::filesystem::path file;
};

ExtractTarget TargetFor(const std::filesystem::path& destination, std::wstring_view storedName);

} // namespace quarrow
