#pragma once
// How many bytes one process can hope to hold at once: the smallest of its address space, the
// memory the computer has and any limit the system set on the process. A count read from a file is
// judged against it before anything is allocated for it, so that a hostile count is refused instead
// of wrapping a size or exhausting the machine.

#include <cstdint>

namespace quarrow {

std::uint64_t ProcessMemoryLimit();

// Whether `count` items of `bytesEach` bytes fit in that memory, computed without overflow.
bool FitsInProcessMemory(std::uint64_t count, std::uint64_t bytesEach);

} // namespace quarrow
