#include "Editing.hpp"

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
            const bool pattern = matching != NameMatching::Exact && names[i].find_first_of("*?") != std::string::npos;
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

bool MayRewrite(const ArchiveCheck& check, bool dropAppended) {
    const auto appended = check.Appended();
    if (!appended || dropAppended) {
        return true;
    }
    ReportError(DisplayPath(check.path) + " holds appended content behind its index, " + RangeText(*appended) +
                ", which the rewritten archive would not keep; --drop-appended writes it without them");
    return false;
}

int WriteArchive(Workspace& workspace, const std::filesystem::path& target, Progress& progress) {
    try {
        PackArchive(workspace, target, progress);
    } catch (const PackError& error) {
        for (const PackIssue& problem : error.Problems()) {
            ReportError("cannot pack " + Describe(problem));
        }
        ReportError(DisplayPath(target) + " was not written");
        return kExitFailure;
    }
    return kExitSuccess;
}

} // namespace quarrow::cli
