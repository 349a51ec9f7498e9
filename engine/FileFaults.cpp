// Built only into the engine that tests link: the installed hook, one per thread.
#include "FileFaults.hpp"

namespace quarrow {

namespace {
thread_local FileFaults* installed = nullptr;
}

FileFaults* InstalledFileFaults() { return installed; }

ScopedFileFaults::ScopedFileFaults(FileFaults& faults) : previous_(installed) { installed = &faults; }

ScopedFileFaults::~ScopedFileFaults() { installed = previous_; }

} // namespace quarrow
