#include "ProcessMemory.hpp"

#include <algorithm>
#include <cstddef>
#include <limits>

#include <sys/resource.h>
#include <unistd.h>

namespace quarrow {

std::uint64_t ProcessMemoryLimit() {
    std::uint64_t limit = std::numeric_limits<std::size_t>::max();
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0) {
        limit = std::min(limit, static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize));
    }
    rlimit addressSpace{};
    if (::getrlimit(RLIMIT_AS, &addressSpace) == 0 && addressSpace.rlim_cur != RLIM_INFINITY) {
        limit = std::min(limit, static_cast<std::uint64_t>(addressSpace.rlim_cur));
    }
    return limit;
}

} // namespace quarrow
