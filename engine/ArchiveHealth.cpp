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
        const auto [it, first] = groupOf.try_emplace(NameMatchKey(opened.Entry(position).storedName), groups.size());
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

// What lies before the appended content and is neither header, index nor an entry's data. The zero
// bytes that the packer puts between the data and the index are its layout, not a gap.
void FindGaps(const std::vector<PlacedData>& placed, const PakHeader& header, std::int64_t layoutEnd,
              std::vector<Finding>& findings) {
    std::vector<ByteRange> covered{{0, kDataStart}};
    if (header.entryCount > 0) {
        covered.push_back(
            {header.indexOffset, header.indexOffset + static_cast<std::int64_t>(kEntrySize) * header.entryCount});
    }
    for (const PlacedData& data : placed) {
        covered.push_back(data.range);
    }
    std::sort(covered.begin(), covered.end(), [](const ByteRange& a, const ByteRange& b) { return a.first < b.first; });
    const auto report = [&](std::int64_t first, std::int64_t end) {
        end = std::min(end, layoutEnd);
        const bool padding = end == header.indexOffset && header.indexOffset == IndexPaddingEnd(first) + 1;
        if (first < end && !padding) {
            findings.push_back({FindingKind::Gap, {}, ByteRange{first, end}});
        }
    };
    std::int64_t reached = 0;
    for (const ByteRange& range : covered) {
        if (range.first > reached) {
            report(reached, range.first);
        }
        reached = std::max(reached, range.end);
    }
    report(reached, layoutEnd);
}

} // namespace

std::vector<Finding> InspectArchive(const Workspace& opened, const PakHeader& header, std::uint64_t fileSize) {
    std::vector<Finding> findings;
    FindEntryProblems(opened, fileSize, findings);
    FindRepeatedNames(opened, findings);
    const std::vector<PlacedData> placed = Placed(opened, fileSize);
    FindOverlaps(placed, findings);
    const auto appended = AppendedContent(header, fileSize);
    FindGaps(placed, header, appended ? appended->first : static_cast<std::int64_t>(fileSize), findings);
    if (appended) {
        findings.push_back({FindingKind::AppendedContent, {}, appended});
    }
    return findings;
}

} // namespace quarrow
