#pragma once
// The health of an opened archive, as findings a front end words: problems, which lose entries when
// the archive is extracted or cannot be served, and notes on what is legal in the format but worth
// knowing before the archive is edited (a rewrite keeps only what the index lists).

#include "ExtractPath.hpp"
#include "PakFormat.hpp"
#include "Workspace.hpp"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quarrow {

enum class FindingKind {
    // Problems.
    DataOutsideFile, // an entry's data does not lie inside the file
    UnsafeName,      // extraction would refuse the stored name; see nameProblem
    UndecodableName, // the stored name is not code page 936 text
    // Notes.
    RepeatedName,    // several entries extract to one file (their names match as typed names do); the last wins
    OverlappingData, // the data of several entries shares bytes
    Gap,             // bytes before the end of the index that nothing lists and the layout does not explain
    AppendedContent, // bytes behind the index, which a rewrite would not keep
};

bool IsProblem(FindingKind kind);

struct Finding {
    FindingKind kind = FindingKind::Gap;
    std::vector<std::size_t> entries;             // 1-based positions, ascending; empty for Gap and AppendedContent
    std::optional<ByteRange> range;               // the bytes concerned, when the finding has a place in the file
    NameProblem nameProblem = NameProblem::Empty; // for UnsafeName
};

// Judges the archive that `opened` was loaded from (its header and its length as CheckArchive found
// them). The problems come first, entry by entry; then the repeated names in the order of their first
// entries, the overlaps and the gaps by offset, and the appended content.
std::vector<Finding> InspectArchive(const Workspace& opened, const PakHeader& header, std::uint64_t fileSize);

// The bytes that a rewrite of that archive would not keep, in file order: every byte outside the
// header, the index and the entries' data, but for the zeros the packer puts before its index. Gaps
// and appended content alike; nothing when the index lies before the data and they fill the file.
std::vector<ByteRange> BytesARewriteDrops(const Workspace& opened, const PakHeader& header, std::uint64_t fileSize);

} // namespace quarrow
