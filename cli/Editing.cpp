#include "Editing.hpp"

#include "ArchiveHealth.hpp"
#include "ArchiveWriter.hpp"
#include "Commands.hpp"
#include "Console.hpp"
#include "Diagnostics.hpp"
#include "EntryNames.hpp"
#include "Text.hpp"

#include <algorithm>

namespace quarrow::cli {

namespace {

template <typename Entries>
NamedEntries FindNamed(const Entries& entries, const std::vector<std::string>& names,
                       const std::filesystem::path& archive, NameMatching matching) {
    std::vector<std::wstring> wide;
    wide.reserve(names.size());
    for (const std::string& name : names) {
        wide.push_back(WideFromUtf8(name));
    }
    NamedEntries named;
    const auto found = FindEntries(entries, wide, matching);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (found[i].empty()) {
            const bool pattern = matching != NameMatching::Exact && IsNamePattern(wide[i]);
            ReportError("no entry of " + DisplayPath(archive) + (pattern ? " matches " : " is named ") + names[i]);
            named.allFound = false;
        }
        named.positions.insert(named.positions.end(), found[i].begin(), found[i].end());
    }
    std::sort(named.positions.begin(), named.positions.end());
    named.positions.erase(std::unique(named.positions.begin(), named.positions.end()), named.positions.end());
    return named;
}

} // namespace

NamedEntries FindNamedEntries(const Workspace& workspace, const std::vector<std::string>& names,
                              const std::filesystem::path& archive, NameMatching matching) {
    return FindNamed(workspace, names, archive, matching);
}

NamedEntries FindNamedEntries(const ArchiveIndex& index, const std::vector<std::string>& names,
                              const std::filesystem::path& archive, NameMatching matching) {
    return FindNamed(index, names, archive, matching);
}

bool MayRewrite(const ArchiveCheck& check, const Workspace& opened, bool dropAppended) {
    const std::vector<ByteRange> dropped = BytesARewriteDrops(opened, check.header, check.fileSize);
    if (dropped.empty() || dropAppended) {
        return true;
    }
    std::string ranges;
    for (const ByteRange& range : dropped) {
        ranges += (ranges.empty() ? "" : ", ") + RangeText(range);
    }
    ReportError(DisplayPath(check.path) + " holds bytes that are neither header, index nor an entry's data, " + ranges +
                ", which the rewritten archive would not keep; --drop-appended writes it without them");
    return false;
}

namespace {

void ReportRefusal(const PackError& error, const std::filesystem::path& target) {
    for (const PackIssue& problem : error.Problems()) {
        std::string text = "cannot pack: " + Describe(problem);
        if (problem.problem == PackProblem::TargetHardLinked) {
            text += "; write the result to another file (update and delete: -o FILE)";
        }
        ReportError(text);
    }
    ReportError(DisplayPath(target) + " was not written");
}

} // namespace

std::optional<ArchiveTarget> TakeTarget(const std::filesystem::path& target) {
    try {
        return std::optional<ArchiveTarget>(std::in_place, target);
    } catch (const PackError& error) {
        ReportRefusal(error, target);
        return std::nullopt;
    }
}

int WriteArchive(Workspace& workspace, ArchiveTarget& target, Progress& progress, EmptyList emptyList) {
    try {
        PackArchive(workspace, target, progress, emptyList);
    } catch (const PackError& error) {
        ReportRefusal(error, target.Named());
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace quarrow::cli
