#include "SystemMessage.hpp"

#include "SystemErrorText.hpp"
#include "Text.hpp"

namespace quarrow {

std::string SystemMessage(std::error_code error) {
    if (error.category() != std::system_category()) {
        return error.message();
    }
    const std::wstring text = SystemErrorText(static_cast<std::uint32_t>(error.value()));
    if (text.empty()) {
        return "system error " + std::to_string(error.value());
    }
    return Utf8FromWide(text);
}

} // namespace quarrow
