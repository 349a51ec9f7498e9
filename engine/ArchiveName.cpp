#include "ArchiveName.hpp"

#include "Text.hpp"

namespace quarrow {

std::wstring WithPakExtension(std::wstring_view chosen) {
    std::wstring name(chosen);
    if (!name.empty() && ToUpperInvariant(name).find(L".PAK") == std::wstring::npos) {
        name += L".PAK";
    }
    return name;
}

} // namespace quarrow
