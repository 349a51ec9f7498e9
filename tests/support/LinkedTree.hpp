#pragma once
// A folder tree holding every kind of link the folder scan follows or reports, shared by the scan's
// tests in the engine, in quarrow-cli and in the program:
//
//   tree/real.txt                    "real"
//   tree/file-link -> outside/secret a linked file
//   tree/linked -> outside           a linked folder: secret, deeper/inner
//   tree/loop -> tree                a link back up to the folder scanned
//   tree/broken -> missing           a link whose target is missing
//   tree/zsub/again -> outside       the linked folder once more
//
// Scanned, it gives FILE-LINK (the secret's bytes), REAL.TXT, LINKED\SECRET and LINKED\DEEPER\INNER;
// it leaves out broken (unreachable), loop (the scanned folder again) and zsub/again (linked again).
// On Windows the links are symbolic links, which the system may refuse to make.

#include "TempDir.hpp"

#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace quarrow::testing {

struct LinkedTree {
    static constexpr std::string_view kSecret = "secret bytes";
    static constexpr std::string_view kInner = "inner";
    static constexpr std::string_view kReal = "real";

    std::filesystem::path tree;    // the folder to scan
    std::filesystem::path outside; // the folder the links lead to
};

// The link `link` to `target`; the system's reason when it cannot be made.
inline std::optional<std::string> MakeSymbolicLink(const std::filesystem::path& target,
                                                   const std::filesystem::path& link, bool directory) {
#ifdef _WIN32
    // Without administrator rights Windows makes links only in developer mode, and only when asked to
    // allow that; older systems know no such flag and refuse it.
    const DWORD kind = directory ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0;
    if (!CreateSymbolicLinkW(link.c_str(), target.c_str(), kind | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
        !CreateSymbolicLinkW(link.c_str(), target.c_str(), kind)) {
        return "CreateSymbolicLinkW failed with error " + std::to_string(GetLastError());
    }
    // The folder's own entry for the link, whatever its target.
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(link.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return "CreateSymbolicLinkW reported a link that is not there";
    }
    FindClose(search);
    return std::nullopt;
#else
    std::error_code error;
    if (directory) {
        std::filesystem::create_directory_symlink(target, link, error);
    } else {
        std::filesystem::create_symlink(target, link, error);
    }
    return error ? std::optional<std::string>(error.message()) : std::nullopt;
#endif
}

// Makes the tree below `folder`. Empty when some link could not be made, with the reason in `refused`.
inline std::optional<LinkedTree> MakeLinkedTree(const std::filesystem::path& folder, std::string& refused) {
    LinkedTree made{folder / "tree", folder / "outside"};
    WriteFileText(made.tree / "real.txt", std::string(LinkedTree::kReal));
    WriteFileText(made.outside / "secret", std::string(LinkedTree::kSecret));
    WriteFileText(made.outside / "deeper" / "inner", std::string(LinkedTree::kInner));
    std::filesystem::create_directories(made.tree / "zsub");
    const struct {
        std::filesystem::path target;
        std::filesystem::path link;
        bool directory;
    } links[] = {
        {made.outside / "secret", made.tree / "file-link", false},
        {made.outside, made.tree / "linked", true},
        {made.tree, made.tree / "loop", true},
        {folder / "missing", made.tree / "broken", false},
        {made.outside, made.tree / "zsub" / "again", true},
    };
    for (const auto& link : links) {
        if (auto reason = MakeSymbolicLink(link.target, link.link, link.directory)) {
            refused = *reason;
            return std::nullopt;
        }
    }
    return made;
}

} // namespace quarrow::testing
