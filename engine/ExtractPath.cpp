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
    case NameProblem::EmptyComponent: return "the stored name is rooted or has an empty level";
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

std::optional<NameProblem> CheckComponent(std::wstring_view component) {
    if (component.empty()) {
        return NameProblem::EmptyComponent;
    }
    if (component == L"..") {
        return NameProblem::ParentReference;
    }
    for (const wchar_t c : component) {
        if (IsInvalidCharacter(c)) {
            return NameProblem::InvalidCharacter;
        }
    }
    if (component.back() == L'.' || component.back() == L' ') {
        return NameProblem::TrailingDotOrSpace;
    }
    if (IsDeviceName(component)) {
        return NameProblem::DeviceName;
    }
    return std::nullopt;
}

} // namespace

std::optional<NameProblem> CheckStoredName(std::wstring_view storedName) {
    if (storedName.empty()) {
        return NameProblem::Empty;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t end = storedName.find(kArchiveSeparator, start);
        const std::wstring_view component =
            storedName.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start);
        if (auto problem = CheckComponent(component)) {
            return problem;
        }
        if (end == std::wstring_view::npos) {
            if (IsTemporaryFileName(component)) {
                return NameProblem::ReservedName;
            }
            return std::nullopt;
        }
        start = end + 1;
    }
}

ExtractTarget TargetFor(std::wstring_view destination, std::wstring_view storedName) {
    ExtractTarget target;
    target.folder = JoinSystemPath(destination, SystemFromStoredName(GetPathHead(storedName)));
    target.file = JoinSystemPath(target.folder, GetPathTail(storedName));
    return target;
}

} // namespace quarrow
