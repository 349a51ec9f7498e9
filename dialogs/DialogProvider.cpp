#include "DialogProvider.hpp"

namespace quarrow::dialogs {

std::vector<std::wstring> FileSelection::Paths() const {
    std::vector<std::wstring> paths;
    paths.reserve(Names.size());
    const bool folderEndsInSeparator = !Folder.empty() && Folder.back() == L'\\';
    for (const std::wstring& name : Names) {
        if (Folder.empty()) {
            paths.push_back(name);
        } else {
            paths.push_back(folderEndsInSeparator ? Folder + name : Folder + L'\\' + name);
        }
    }
    return paths;
}

} // namespace quarrow::dialogs
