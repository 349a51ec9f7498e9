#include "FileDialogText.hpp"

#include <vector>

namespace quarrow::dialogs {

namespace {

constexpr std::wstring_view kDoubleNul(L"\0\0", 2);

std::vector<std::wstring_view> SplitAtNul(std::wstring_view text) {
    std::vector<std::wstring_view> pieces;
    for (;;) {
        const auto nul = text.find(L'\0');
        pieces.push_back(text.substr(0, nul));
        if (nul == std::wstring_view::npos) {
            return pieces;
        }
        text.remove_prefix(nul + 1);
    }
}

} // namespace

std::wstring SystemFilterList(std::wstring_view filter) {
    std::wstring list;
    list.reserve(filter.size() + 2);
    for (const wchar_t c : filter) {
        list += (c == L'|' || c == L':') ? L'\0' : c;
    }
    list += L'\0';
    list += L'\0';
    return list;
}

std::wstring ChosenFilterEntry(std::wstring_view systemFilterList, int filterIndex) {
    if (filterIndex < 1 || systemFilterList.size() < 2) {
        return {};
    }
    systemFilterList.remove_suffix(2); // the list's own terminator
    const auto pieces = SplitAtNul(systemFilterList);
    const auto description = static_cast<std::size_t>(filterIndex - 1) * 2;
    if (description + 1 >= pieces.size()) {
        return {};
    }
    std::wstring entry(pieces[description]);
    entry += L'\0';
    entry += pieces[description + 1];
    return entry;
}

std::wstring TextUpToNul(std::wstring_view buffer) { return std::wstring(buffer.substr(0, buffer.find(L'\0'))); }

std::wstring SelectionUpToDoubleNul(std::wstring_view buffer) {
    const auto end = buffer.find(kDoubleNul);
    return std::wstring(end == std::wstring_view::npos ? buffer : buffer.substr(0, end + kDoubleNul.size()));
}

} // namespace quarrow::dialogs
