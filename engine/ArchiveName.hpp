#pragma once
// The names the open and save dialogs hand back for archives.

#include <string>
#include <string_view>

namespace quarrow {

// The chosen name with ".PAK" appended when its upper case contains ".PAK" nowhere: NEW becomes
// NEW.PAK, while DATA.PAK and DATA.PAK.OLD stay as they are. An empty name (a cancel) stays empty.
std::wstring WithPakExtension(std::wstring_view chosen);

} // namespace quarrow
