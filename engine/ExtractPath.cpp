#include "ExtractPath.hpp"

#include "SystemPath.hpp"
#include "TemporaryFile.hpp"
#include "Text.hpp"
#include "modPAK.hpp"

#include <array>

namespace quarrow {

std::string_view Describe(NameProblem problem) {
    switch (problem) {
    case NameProblem::Empty: return "the stored name is empty";
    case NameProblem::EmptyFileName: return "the stored name ends in a separator and names no file";
    case NameProblem::ParentReference: return "the stored name climbs out of the destination with \"..\"";
    case NameProblem::InvalidCharacter: return "the stored name has a character that file names cannot hold";
    case NameProblem::DeviceName: return "the stored name is a device name";
    case NameProblem::TrailingDotOrSpace: return "a level of the stored name ends in a dot or a space";
    case NameProblem::ReservedName: return "the stored name has the form of this program's temporary files";
    }
    return "the stored name cannot be written";
}

namespace {

bool IsInvalidCharacter(wchar_t c) {
    if (c < 32) {
        return true;
    }
    switch (c) {
    case L'<':
    case L'>':
    case L':':
    case L'"':
    case L'/':
    case L'|':
    case L'?':
    case L'*': return true;
    default: return false;
    }
}

// Windows reserves these names in every folder, whatever follows the first dot, and ignores spaces
// before that dot.
bool IsDeviceName(std::wstring_view component) {
    std::wstring_view base = component.substr(0, component.find(L'.'));
    while (!base.empty() && base.back() == L' ') {
        base.remove_suffix(1);
    }
    const std::wstring upper = ToUpperInvariant(base);
    static constexpr std::array<std::wstring_view, 6> kFixed{L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    for (const auto name : kFixed) {
        if (upper == name) {
            return true;
        }
    }
    if (upper.size() == 4 && (upper.starts_with(L"COM") || upper.starts_with(L"LPT"))) {
        const wchar_t digit = upper[3];
        // Superscript one, two and three count as digits here too.
        return (digit >= L'1' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3';
    }
    return false;
}

// Calls `visit` with each level of a stored name that is not empty, in order.
template <typename Visit> void ForEachLevel(std::wstring_view storedName, Visit visit) {
    std::size_t start = 0;
    while (start <= storedName.size()) {
        std::size_t end = storedName.find(kArchiveSeparator, start);
        if (end == std::wstring_view::npos) {
            end = storedName.size();
        }
        if (end > start) {
            visit(storedName.substr(start, end - start));
        }
        start = end + 1;
    }
}

std::optional<NameProblem> CheckLevel(std::wstring_view level) {
    if (level == L"..") {
        return NameProblem::ParentReference;
    }
    for (const wchar_t c : level) {
        if (IsInvalidCharacter(c)) {
            return NameProblem::InvalidCharacter;
        }
    }
    if (level.back() == L'.' || level.back() == L' ') {
        return NameProblem::TrailingDotOrSpace;
    }
    if (IsDeviceName(level)) {
        return NameProblem::DeviceName;
    }
    return std::nullopt;
}

} // namespace

std::wstring CollapsedStoredName(std::wstring_view storedName) {
    std::wstring collapsed;
    collapsed.reserve(storedName.size());
    ForEachLevel(storedName, [&](std::wstring_view level) {
        if (!collapsed.empty()) {
            collapsed.push_back(kArchiveSeparator);
        }
        collapsed.append(level);
    });
    return collapsed;
}

std::optional<NameProblem> CheckStoredName(std::wstring_view storedName) {
    if (storedName.empty()) {
        return NameProblem::Empty;
    }
    if (storedName.back() == kArchiveSeparator) {
        return NameProblem::EmptyFileName;
    }
    std::optional<NameProblem> problem;
    std::wstring_view fileName;
    ForEachLevel(storedName, [&](std::wstring_view level) {
        if (!problem) {
            problem = CheckLevel(level);
        }
        fileName = level;
    });
    if (!problem && IsTemporaryFileName(fileName)) {
        problem = NameProblem::ReservedName;
    }
    return problem;
}

ExtractTarget TargetFor(const std::filesystem::path& destination, std::wstring_view storedName) {
    // A name without folder levels is written into the destination followed by a separator, as the
    // folder has always been shown.
    ExtractTarget target{JoinLevel(destination, {}), {}};
    std::wstring_view fileName;
    ForEachLevel(storedName, [&](std::wstring_view level) {
        if (!fileName.empty()) {
            target.folder = JoinLevel(target.folder, PathFromWide(fileName));
        }
        fileName = level;
    });
    target.file = JoinLevel(target.folder, PathFromWide(fileName));
    return target;
}

} // namespace quarrow
