#include "ProcessMemory.hpp"

#include <algorithm>
#include <cstddef>
#include <limits>

#include <windows.h>

namespace quarrow {

std::uint64_t ProcessMemoryLimit() {
    std::uint64_t limit = std::numeric_limits<std::size_t>::max();
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (GlobalMemoryStatusEx(&status)) {
        // The user part of the address space: 2 GB for a 32-bit program unless it is large-address-aware.
        limit = std::min({limit, static_cast<std::uint64_t>(status.ullTotalVirtual),
                          static_cast<std::uint64_t>(status.ullTotalPhys)});
    }
    return limit;
}

} // namespace quarrow
