#include "DirectoryListing.hpp"

#include <windows.h>

namespace quarrow {

namespace {

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            FindClose(handle_);
        }
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

} // namespace

std::vector<DirectoryItem> ListDirectory(std::wstring_view directory, ListingScope scope) {
    std::vector<DirectoryItem> items;
    std::wstring pattern(directory);
    if (pattern.empty() || (pattern.back() != L'\\' && pattern.back() != L'/')) {
        pattern.push_back(L'\\');
    }
    pattern += L"*.*";
    WIN32_FIND_DATAW found{};
    FindHandle search(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH));
    if (!search.Valid()) {
        return items;
    }
    do {
        const std::wstring_view name = found.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const DWORD attributes = found.dwFileAttributes;
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
            // Junctions and directory links may point anywhere, their own parent included.
            if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                items.push_back({std::wstring(name), true, 0});
            }
        } else if (scope == ListingScope::Everything &&
                   !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
            const std::uint64_t size = (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            items.push_back({std::wstring(name), false, size});
        }
    } while (FindNextFileW(search.Get(), &found));
    return items;
}

} // namespace quarrow
