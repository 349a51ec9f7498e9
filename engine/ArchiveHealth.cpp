#include "ArchiveHealth.hpp"

#include "EntryNames.hpp"

#include <algorithm>
#include <unordered_map>

namespace quarrow {

bool IsProblem(FindingKind kind) {
    switch (kind) {
    case FindingKind::DataOutsideFile:
    case FindingKind::UnsafeName:
    case FindingKind::UndecodableName: return true;
    case FindingKind::RepeatedName:
    case FindingKind::OverlappingData:
    case FindingKind::Gap:
    case FindingKind::AppendedContent: return false;
    }
    return true;
}

namespace {

// The data of an entry that lies inside the file and takes at least one byte.
struct PlacedData {
    ByteRange range;
    std::size_t position;
};

ByteRange DataOf(const WorkspaceEntry& entry) {
    const std::int64_t offset = entry.dataOffset.value_or(0);
    return {offset, offset + entry.size};
}

bool InsideFile(const WorkspaceEntry& entry, std::uint64_t fileSize) {
    const ByteRange data = DataOf(entry);
    return entry.dataOffset && data.first >= 0 && entry.size >= 0 && static_cast<std::uint64_t>(data.end) <= fileSize;
}

void FindEntryProblems(const Workspace& opened, std::uint64_t fileSize, std::vector<Finding>& findings) {
    for (std::size_t position = 1; position <= opened.Count(); ++position) {
        const WorkspaceEntry& entry = opened.Entry(position);
        if (!InsideFile(entry, fileSize)) {
            findings.push_back({FindingKind::DataOutsideFile, {position}, DataOf(entry)});
        }
        if (!entry.storedNameExact) {
            findings.push_back({FindingKind::UndecodableName, {position}, std::nullopt});
        } else if (auto problem = CheckStoredName(entry.storedName)) {
            findings.push_back({FindingKind::UnsafeName, {position}, std::nullopt, *problem});
        }
    }
}

void FindRepeatedNames(const Workspace& opened, std::vector<Finding>& findings) {
    std::vector<std::vector<std::size_t>> groups;
    std::unordered_map<std::wstring, std::size_t> groupOf;
    groupOf.reserve(opened.Count());
    for (std::size_t position = 1; position <= opened.Count(); ++position) {
        const WorkspaceEntry& entry = opened.Entry(position);
        if (!entry.storedNameExact || CheckStoredName(entry.storedName)) {
            continue; // extracted to no file at all
        }
        const auto [it, first] = groupOf.try_emplace(NameMatchKey(entry.storedName), groups.size());
        if (first) {
            groups.emplace_back();
        }
        groups[it->second].push_back(position);
    }
    for (auto& group : groups) {
        if (group.size() > 1) {
            findings.push_back({FindingKind::RepeatedName, std::move(group), std::nullopt});
        }
    }
}

std::vector<PlacedData> Placed(const Workspace& opened, std::uint64_t fileSize) {
    std::vector<PlacedData> placed;
    for (std::size_t position = 1; position <= opened.Count(); ++position) {
        const WorkspaceEntry& entry = opened.Entry(position);
        if (entry.size > 0 && InsideFile(entry, fileSize)) {
            placed.push_back({DataOf(entry), position});
        }
    }
    std::sort(placed.begin(), placed.end(), [](const PlacedData& a, const PlacedData& b) {
        return a.range.first != b.range.first ? a.range.first < b.range.first : a.position < b.position;
    });
    return placed;
}

// Entries whose data shares bytes, directly or through others between them, form one finding.
void FindOverlaps(const std::vector<PlacedData>& placed, std::vector<Finding>& findings) {
    for (std::size_t i = 0; i < placed.size();) {
        Finding overlap{FindingKind::OverlappingData, {placed[i].position}, placed[i].range};
        std::size_t j = i + 1;
        for (; j < placed.size() && placed[j].range.first < overlap.range->end; ++j) {
            overlap.range->end = std::max(overlap.range->end, placed[j].range.end);
            overlap.entries.push_back(placed[j].position);
        }
        if (overlap.entries.size() > 1) {
            std::sort(overlap.entries.begin(), overlap.entries.end());
            findings.push_back(std::move(overlap));
        }
        i = j;
    }
}

// What is neither header, index nor an entry's data, in file order. The zero bytes that the packer puts
// between the data and the index are its layout, not a hole; an index of no entries still marks where
// the layout ends.
std::vector<ByteRange> Uncovered(const std::vector<PlacedData>& placed, const PakHeader& header,
                                 std::int64_t fileSize) {
    std::vector<ByteRange> covered{{0, kDataStart}};
    if (header.indexOffset >= 0 && header.indexOffset <= fileSize) {
        covered.push_back(
            {header.indexOffset, header.indexOffset + static_cast<std::int64_t>(kEntrySize) * header.entryCount});
    }
    for (const PlacedData& data : placed) {
        covered.push_back(data.range);
    }
    std::sort(covered.begin(), covered.end(), [](const ByteRange& a, const ByteRange& b) { return a.first < b.first; });
    std::vector<ByteRange> holes;
    const auto hole = [&](std::int64_t first, std::int64_t end) {
        end = std::min(end, fileSize);
        const bool padding = end == header.indexOffset && header.indexOffset == IndexPaddingEnd(first) + 1;
        if (first < end && !padding) {
            holes.push_back({first, end});
        }
    };
    std::int64_t reached = 0;
    for (const ByteRange& range : covered) {
        if (range.first > reached) {
            hole(reached, range.first);
        }
        reached = std::max(reached, range.end);
    }
    hole(reached, fileSize);
    return holes;
}

} // namespace

std::vector<Finding> InspectArchive(const Workspace& opened, const PakHeader& header, std::uint64_t fileSize) {
    std::vector<Finding> findings;
    FindEntryProblems(opened, fileSize, findings);
    FindRepeatedNames(opened, findings);
    const std::vector<PlacedData> placed = Placed(opened, fileSize);
    FindOverlaps(placed, findings);
    const auto size = static_cast<std::int64_t>(fileSize);
    std::vector<ByteRange> holes = Uncovered(placed, header, size);
    // What runs to the end of the file, behind everything the index and the data take, was appended.
    std::optional<ByteRange> appended;
    if (!holes.empty() && holes.back().end == size && AppendedContent(header, fileSize)) {
        const std::int64_t coverEnd =
            std::max({kDataStart, header.indexOffset + static_cast<std::int64_t>(kEntrySize) * header.entryCount,
                      placed.empty() ? kDataStart
                                     : std::max_element(placed.begin(), placed.end(), [](const auto& a, const auto& b) {
                                           return a.range.end < b.range.end;
                                       })->range.end});
        if (holes.back().first >= coverEnd) {
            appended = holes.back();
            holes.pop_back();
        }
    }
    for (const ByteRange& gap : holes) {
        findings.push_back({FindingKind::Gap, {}, gap});
    }
    if (appended) {
        findings.push_back({FindingKind::AppendedContent, {}, appended});
    }
    return findings;
}

std::vector<ByteRange> BytesARewriteDrops(const Workspace& opened, const PakHeader& header, std::uint64_t fileSize) {
    return Uncovered(Placed(opened, fileSize), header, static_cast<std::int64_t>(fileSize));
}

} // namespace quarrow
