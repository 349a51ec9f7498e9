#include "SystemMessage.hpp"

namespace quarrow {

std::string SystemMessage(std::error_code error) { return error.message(); }

} // namespace quarrow
