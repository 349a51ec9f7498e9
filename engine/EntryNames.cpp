#include "EntryNames.hpp"

#include "Text.hpp"
#include "modPAK.hpp"

#include <unordered_map>

namespace quarrow {

namespace {

void MakeMatchKey(std::wstring& text) {
    for (wchar_t& c : text) {
        c = c == L'/' ? kArchiveSeparator : ToUpperInvariant(c);
    }
}

} // namespace

std::wstring NameMatchKey(std::wstring_view name) {
    std::wstring key(name);
    MakeMatchKey(key);
    return key;
}

std::vector<std::vector<std::size_t>> FindEntries(const Workspace& workspace, std::span<const std::wstring> names) {
    std::vector<std::vector<std::size_t>> found(names.size());
    // The typed names are few and the entries many: each entry's key is made once and looked up.
    std::unordered_multimap<std::wstring, std::size_t> wanted;
    for (std::size_t i = 0; i < names.size(); ++i) {
        wanted.emplace(NameMatchKey(names[i]), i);
    }
    std::wstring key;
    for (std::size_t position = 1; position <= workspace.Count(); ++position) {
        key.assign(workspace.Entry(position).storedName);
        MakeMatchKey(key);
        const auto [first, last] = wanted.equal_range(key);
        for (auto it = first; it != last; ++it) {
            found[it->second].push_back(position);
        }
    }
    return found;
}

} // namespace quarrow
