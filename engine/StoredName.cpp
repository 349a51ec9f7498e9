#include "StoredName.hpp"

#include "Cp936.hpp"
#include "Text.hpp"

#include <algorithm>

namespace quarrow {

std::variant<NameField, NameFieldProblem> EncodeNameField(std::wstring_view name) {
    if (name.empty()) {
        return NameFieldProblem::Empty;
    }
    const auto bytes = cp936::Encode(name);
    if (!bytes) {
        return NameFieldProblem::Unrepresentable;
    }
    if (bytes->size() > kNameSize) {
        return NameFieldProblem::TooLong;
    }
    NameField field{};
    std::copy(bytes->begin(), bytes->end(), field.begin());
    return field;
}

DecodedName DecodeNameField(const NameField& field) {
    const std::string_view bytes = StoredNameBytes(field);
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return {std::wstring(bytes.begin(), bytes.end()), true};
    }
    if (auto exact = cp936::Decode(bytes)) {
        return {std::move(*exact), true};
    }
    return {cp936::DecodeLossy(bytes), false};
}

std::wstring StoredLevelText(const std::filesystem::path& level) {
    std::wstring text = WideFromPath(level);
#ifndef _WIN32
    // Only here can a name be bytes that are no Unicode text.
    if (HasEscapedBytes(text)) {
        if (auto decoded = cp936::Decode(level.native())) {
            return *decoded;
        }
    }
#endif
    return text;
}

} // namespace quarrow
