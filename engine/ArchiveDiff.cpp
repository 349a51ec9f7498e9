#include "ArchiveDiff.hpp"

#include "EntryNames.hpp"
#include "File.hpp"
#include "StoredName.hpp"
#include "StreamCopy.hpp"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace quarrow {

namespace {

struct IndexedEntry {
    PakEntry record;
    std::size_t position = 0; // 1-based
};

// The entries of an index by match key, each name's last entry, and the keys in index order of those
// last entries.
struct EntriesByName {
    std::unordered_map<std::wstring, IndexedEntry> byKey;
    std::vector<std::wstring> order;
};

EntriesByName Index(const ArchiveIndex& index) {
    EntriesByName entries;
    std::vector<std::wstring> keys(index.Count());
    for (std::size_t i = 0; i < index.Count(); ++i) {
        const PakEntry record = DecodeEntry(index.Record(i));
        keys[i] = NameMatchKey(DecodeNameField(record.name).text);
        entries.byKey[keys[i]] = {record, i + 1};
    }
    for (std::size_t i = 0; i < index.Count(); ++i) {
        if (entries.byKey.at(keys[i]).position == i + 1) {
            entries.order.push_back(keys[i]);
        }
    }
    return entries;
}

// The two files, read side by side.
class ContentComparer {
public:
    ContentComparer(const ComparedArchive& older, const ComparedArchive& newer)
        : old_(File::Open(older.check.path, File::Mode::Read)), new_(File::Open(newer.check.path, File::Mode::Read)),
          oldArchive_(*older.index.Archive()), newArchive_(*newer.index.Archive()) {}

    bool SameBytes(ByteRange older, ByteRange newer) {
        if (older.Size() != newer.Size()) {
            return false;
        }
        if (!oldArchive_.Holds(older.first, older.Size()) || !newArchive_.Holds(newer.first, newer.Size())) {
            return false; // data that is not there to compare counts as changed
        }
        oldBuffer_.resize(kCopyChunk);
        newBuffer_.resize(kCopyChunk);
        for (std::int64_t done = 0; done < older.Size();) {
            const auto chunk = static_cast<std::size_t>(std::min<std::int64_t>(kCopyChunk, older.Size() - done));
            if (old_.ReadAt(static_cast<std::uint64_t>(older.first + done), oldBuffer_.data(), chunk) != chunk ||
                new_.ReadAt(static_cast<std::uint64_t>(newer.first + done), newBuffer_.data(), chunk) != chunk) {
                return false; // shortened meanwhile
            }
            if (std::memcmp(oldBuffer_.data(), newBuffer_.data(), chunk) != 0) {
                return false;
            }
            done += static_cast<std::int64_t>(chunk);
        }
        return true;
    }

private:
    File old_;
    File new_;
    const SourceArchive& oldArchive_;
    const SourceArchive& newArchive_;
    std::vector<std::uint8_t> oldBuffer_;
    std::vector<std::uint8_t> newBuffer_;
};

ByteRange DataOf(const PakEntry& record) {
    return {record.dataOffset, static_cast<std::int64_t>(record.dataOffset) + record.size};
}

} // namespace

std::vector<Difference> CompareArchives(const ComparedArchive& older, const ComparedArchive& newer) {
    const EntriesByName oldEntries = Index(older.index);
    const EntriesByName newEntries = Index(newer.index);
    ContentComparer content(older, newer);
    std::vector<Difference> differences;
    for (const std::wstring& key : newEntries.order) {
        const IndexedEntry& now = newEntries.byKey.at(key);
        const auto before = oldEntries.byKey.find(key);
        if (before == oldEntries.byKey.end()) {
            differences.push_back({DifferenceKind::Added, 0, now.position});
            continue;
        }
        const IndexedEntry& then = before->second;
        if (then.record.size < 0 || now.record.size < 0 ||
            !content.SameBytes(DataOf(then.record), DataOf(now.record))) {
            differences.push_back({DifferenceKind::Changed, then.position, now.position});
        } else if (StoredNameBytes(then.record.name) != StoredNameBytes(now.record.name)) {
            differences.push_back({DifferenceKind::Respelled, then.position, now.position});
        }
    }
    for (const std::wstring& key : oldEntries.order) {
        if (!newEntries.byKey.contains(key)) {
            differences.push_back({DifferenceKind::Removed, oldEntries.byKey.at(key).position, 0});
        }
    }
    const auto oldAppended = older.check.Appended();
    const auto newAppended = newer.check.Appended();
    if (oldAppended || newAppended) {
        Difference appended{DifferenceKind::Changed, 0, 0, true};
        if (!oldAppended) {
            appended.kind = DifferenceKind::Added;
        } else if (!newAppended) {
            appended.kind = DifferenceKind::Removed;
        }
        if (!oldAppended || !newAppended || !content.SameBytes(*oldAppended, *newAppended)) {
            differences.push_back(appended);
        }
    }
    return differences;
}

} // namespace quarrow
