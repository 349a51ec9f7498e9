#pragma once
// Names a status bar panel either by its 1-based number or by its key.

#include "Text.hpp"

#include <string>
#include <utility>
#include <variant>

namespace quarrow::controls {

class PanelRef {
public:
    PanelRef(int index) : value_(index) {}
    PanelRef(std::wstring key) : value_(std::move(key)) {}
    PanelRef(const wchar_t* key) : value_(std::wstring(key ? key : L"")) {}

    bool IsIndex() const { return std::holds_alternative<int>(value_); }
    int Index() const { return std::get<int>(value_); }
    const std::wstring& Key() const { return std::get<std::wstring>(value_); }

    // The number or the key as text, for messages.
    std::wstring Text() const { return IsIndex() ? DecimalText(Index()) : Key(); }

private:
    std::variant<int, std::wstring> value_;
};

} // namespace quarrow::controls
