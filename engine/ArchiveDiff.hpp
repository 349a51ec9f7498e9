#pragma once
// What changed between two archives, entry by entry: entries are paired by their names as typed names
// find them (case, and "/" for "\", do not matter), and their bytes are compared where their sizes
// agree, a chunk at a time from both files, so that no entry is ever held whole. The content appended
// behind each index is compared as one more item.

#include "ArchiveReader.hpp"

#include <cstddef>
#include <vector>

namespace quarrow {

enum class DifferenceKind {
    Added,     // in the new archive only
    Removed,   // in the old archive only
    Changed,   // in both, with other bytes
    Respelled, // in both, with the same bytes, under a name spelled otherwise (case, separators)
};

struct Difference {
    DifferenceKind kind = DifferenceKind::Changed;
    std::size_t oldPosition = 0;  // 1-based place in the old index; 0 for an added entry
    std::size_t newPosition = 0;  // 1-based place in the new index; 0 for a removed entry
    bool appendedContent = false; // the item is the content behind the indexes, not an entry
};

// One archive to compare: its check and its index.
struct ComparedArchive {
    const ArchiveCheck& check;
    const ArchiveIndex& index;
};

// The differences in the new archive's order, then the removed entries in the old one's, then the
// appended content. A name that an archive repeats counts by its last entry, which extraction leaves.
// An entry whose data lies outside its file counts as changed. Throws FileError when a file cannot be
// read.
std::vector<Difference> CompareArchives(const ComparedArchive& older, const ComparedArchive& newer);

} // namespace quarrow
