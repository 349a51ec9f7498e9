#include "EntryNames.hpp"

#include "StoredName.hpp"
#include "Text.hpp"
#include "modPAK.hpp"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

namespace quarrow {

namespace {

wchar_t MatchFold(wchar_t c) {
    if (c < 0x80) {
        return c == L'/' ? kArchiveSeparator : c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 0x20) : c;
    }
    return ToUpperInvariant(c);
}

// Puts the match key of `name` into `key`, reusing its storage, and returns the key's hash (FNV-1a).
// Folds wide names and ASCII bytes alike: an ASCII name's code page 936 bytes are its characters.
// Separators at the start and runs of them count as the extraction makes them: as none and as one, so
// that names which extract to one file are one name.
template <typename Char> std::uint64_t FoldInto(std::basic_string_view<Char> name, std::wstring& key) {
    key.clear();
    std::uint64_t hash = 14695981039346656037u;
    for (const Char ch : name) {
        const wchar_t c = MatchFold(static_cast<wchar_t>(ch));
        if (c == kArchiveSeparator && (key.empty() || key.back() == kArchiveSeparator)) {
            continue;
        }
        key.push_back(c);
        hash = (hash ^ static_cast<std::uint64_t>(c)) * 1099511628211u;
    }
    return hash;
}

// The typed names are few and the entries many: each entry's key is made once, in one buffer, and
// looked up by its hash. Folders and patterns, which no hash finds, are tried one by one.
class NameMatcher {
public:
    NameMatcher(std::span<const std::wstring> names, NameMatching matching)
        : keys_(names.size()), found_(names.size()) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            const std::uint64_t hash = FoldInto(std::wstring_view(names[i]), keys_[i]);
            if (matching == NameMatching::Exact) {
                byHash_.emplace(hash, i);
            } else if (IsNamePattern(keys_[i])) {
                patterns_.push_back(i);
            } else {
                byHash_.emplace(hash, i);
                // "DATA" and "DATA/" both select what lies below DATA (the key holds no run of separators).
                std::wstring folder = keys_[i];
                if (!folder.empty() && folder.back() != kArchiveSeparator) {
                    folder += kArchiveSeparator;
                }
                if (folder.size() > 1) {
                    folders_.emplace_back(std::move(folder), i);
                }
            }
        }
    }

    template <typename Char> void Match(std::size_t position, std::basic_string_view<Char> storedName) {
        const auto [first, last] = byHash_.equal_range(FoldInto(storedName, key_));
        for (auto it = first; it != last; ++it) {
            if (keys_[it->second] == key_) {
                Add(it->second, position);
            }
        }
        for (const auto& [prefix, i] : folders_) {
            if (key_.starts_with(prefix)) {
                Add(i, position);
            }
        }
        for (const std::size_t i : patterns_) {
            if (WildcardMatches(keys_[i], key_)) {
                Add(i, position);
            }
        }
    }

    std::vector<std::vector<std::size_t>> Found() && { return std::move(found_); }

private:
    std::vector<std::wstring> keys_;
    std::unordered_multimap<std::uint64_t, std::size_t> byHash_;
    std::vector<std::pair<std::wstring, std::size_t>> folders_; // "DATA\" and the typed name's index
    std::vector<std::size_t> patterns_;
    std::vector<std::vector<std::size_t>> found_;
    std::wstring key_;

    // A name that is both an entry's and a folder's adds the position once.
    void Add(std::size_t i, std::size_t position) {
        if (found_[i].empty() || found_[i].back() != position) {
            found_[i].push_back(position);
        }
    }
};

} // namespace

std::wstring NameMatchKey(std::wstring_view name) {
    std::wstring key;
    FoldInto(name, key);
    return key;
}

bool IsNamePattern(std::wstring_view name) { return name.find_first_of(L"*?") != std::wstring_view::npos; }

bool WildcardMatches(std::wstring_view pattern, std::wstring_view text) {
    // The classic greedy walk: on a mismatch, go back to the last "*" and let it take one more
    // character. Linear in practice, and never recursive, whatever the pattern.
    std::size_t p = 0;
    std::size_t t = 0;
    std::size_t starAt = std::wstring_view::npos;
    std::size_t starText = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (p < pattern.size() && pattern[p] == L'*') {
            starAt = p++;
            starText = t;
        } else if (starAt != std::wstring_view::npos) {
            p = starAt + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') {
        ++p;
    }
    return p == pattern.size();
}

std::vector<std::vector<std::size_t>> FindEntries(const Workspace& workspace, std::span<const std::wstring> names,
                                                  NameMatching matching) {
    NameMatcher matcher(names, matching);
    for (std::size_t position = 1; position <= workspace.Count(); ++position) {
        matcher.Match(position, std::wstring_view(workspace.Entry(position).storedName));
    }
    return std::move(matcher).Found();
}

std::vector<std::vector<std::size_t>> FindEntries(const ArchiveIndex& index, std::span<const std::wstring> names,
                                                  NameMatching matching) {
    NameMatcher matcher(names, matching);
    for (std::size_t i = 0; i < index.Count(); ++i) {
        NameField field;
        const auto record = index.Record(i);
        std::copy_n(record.begin() + kEntryNameOffset, kNameSize, field.begin());
        const std::string_view bytes = StoredNameBytes(field);
        // Most names are ASCII, which need no decoding.
        if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            matcher.Match(i + 1, bytes);
        } else {
            matcher.Match(i + 1, std::wstring_view(DecodeNameField(field).text));
        }
    }
    return std::move(matcher).Found();
}

} // namespace quarrow
