#include "PropertyBag.hpp"

#include <algorithm>

namespace quarrow::controls {

std::vector<std::wstring> PropertyBag::Keys() const {
    std::vector<std::wstring> keys;
    keys.reserve(entries_.size());
    for (const auto& entry : entries_) {
        keys.push_back(entry.first);
    }
    return keys;
}

const PropertyValue* PropertyBag::Find(std::wstring_view key) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == key; });
    return found == entries_.end() ? nullptr : &found->second;
}

void PropertyBag::Store(std::wstring_view key, PropertyValue value) {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return e.first == key; });
    if (found != entries_.end()) {
        found->second = std::move(value);
    } else {
        entries_.emplace_back(std::wstring(key), std::move(value));
    }
}

void PropertyBag::Remove(std::wstring_view key) {
    std::erase_if(entries_, [&](const auto& e) { return e.first == key; });
}

} // namespace quarrow::controls
