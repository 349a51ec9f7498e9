#pragma once
// Copying between two open files inside the system, so that the bytes never pass through the program:
// the file layer's File::CopyWithinSystem where the system has such calls.

#include <cstdint>

namespace quarrow {

// Copies up to `count` bytes of the file open as `source` from `from` into the file open as `target`
// at `to`, and returns how many it copied: fewer, down to none, when the system cannot copy between
// these files, fails or finds the source ending. Nothing where the system has no such calls.
std::uint64_t CopyInsideSystem(int source, std::uint64_t from, int target, std::uint64_t to, std::uint64_t count);

} // namespace quarrow
