#include "MultiFileName.hpp"

namespace quarrow::dialogs {

namespace {

constexpr std::wstring_view kDoubleNul(L"\0\0", 2);

void AppendName(std::wstring_view name, std::vector<std::wstring>& sFiles, int& iFileCount) {
    iFileCount = iFileCount < 0 ? 1 : iFileCount + 1;
    sFiles.resize(static_cast<std::size_t>(iFileCount));
    sFiles.back() = std::wstring(name);
}

} // namespace

void ParseMultiFileName(std::wstring_view filename, std::wstring& sDir, std::vector<std::wstring>& sFiles,
                        int& iFileCount) {
    const auto end = filename.find(kDoubleNul);
    if (end == std::wstring_view::npos) {
        iFileCount = 1;
        sFiles.assign(1, std::wstring());
        const auto slash = filename.rfind(L'\\');
        if (slash == std::wstring_view::npos || slash == 0) {
            sDir.clear();
            sFiles[0] = std::wstring(filename);
        } else {
            sDir = std::wstring(filename.substr(0, slash));
            sFiles[0] = std::wstring(filename.substr(slash + 1));
        }
        return;
    }
    std::wstring_view rest = filename.substr(0, end);
    for (auto nul = rest.find(L'\0'); nul != std::wstring_view::npos; nul = rest.find(L'\0')) {
        const auto piece = rest.substr(0, nul);
        if (sDir.empty()) {
            sDir = std::wstring(piece);
        } else {
            AppendName(piece, sFiles, iFileCount);
        }
        rest.remove_prefix(nul + 1);
    }
    AppendName(rest, sFiles, iFileCount);
}

} // namespace quarrow::dialogs
