#pragma once
// The controls' saved settings: keys and values, kept in the order they were written. The host's rule
// holds for every control: a value equal to its default is not written, and a missing key reads as the
// default. The program configures its controls by loading bags.

#include "FontSpec.hpp"
#include "Picture.hpp"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace quarrow::controls {

using PropertyValue = std::variant<bool, std::int32_t, std::uint32_t, double, std::wstring, Picture, win32::FontSpec>;

class PropertyBag {
public:
    // The value stored under `key`; the default when the key is missing or holds another type.
    template <typename T> T Read(std::wstring_view key, const T& defaultValue) const {
        const PropertyValue* stored = Find(key);
        if (stored) {
            if (const T* value = std::get_if<T>(stored)) {
                return *value;
            }
        }
        return defaultValue;
    }

    // Stores `value` unless it equals the default; a key written earlier is then removed, so that the
    // bag always reads back what was last written.
    template <typename T> void Write(std::wstring_view key, const T& value, const T& defaultValue) {
        if (value == defaultValue) {
            Remove(key);
        } else {
            Store(key, PropertyValue(value));
        }
    }

    // Stores `value` whatever it is (for settings that are always saved, such as a font).
    template <typename T> void WriteAlways(std::wstring_view key, const T& value) { Store(key, PropertyValue(value)); }

    bool Contains(std::wstring_view key) const { return Find(key) != nullptr; }
    // The stored keys in the order they were first written.
    std::vector<std::wstring> Keys() const;

private:
    const PropertyValue* Find(std::wstring_view key) const;
    void Store(std::wstring_view key, PropertyValue value);
    void Remove(std::wstring_view key);

    std::vector<std::pair<std::wstring, PropertyValue>> entries_;
};

} // namespace quarrow::controls
