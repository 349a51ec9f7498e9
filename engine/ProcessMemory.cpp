#include "ProcessMemory.hpp"

namespace quarrow {

bool FitsInProcessMemory(std::uint64_t count, std::uint64_t bytesEach) {
    return bytesEach == 0 || count <= ProcessMemoryLimit() / bytesEach;
}

} // namespace quarrow
