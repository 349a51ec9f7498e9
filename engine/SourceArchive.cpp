#include "SourceArchive.hpp"

namespace quarrow {

bool SourceArchive::IsUnchanged(const File& file) const {
    if (file.Size() != size_) {
        return false;
    }
    if (identity_ && !file.Identity().SameState(*identity_)) {
        return false;
    }
    HeaderBytes now{};
    return file.ReadAt(0, now.data(), now.size()) == now.size() && now == header_;
}

bool SourceArchive::Holds(std::int64_t offset, std::int64_t size) const {
    return offset >= 0 && size >= 0 && static_cast<std::uint64_t>(offset) + static_cast<std::uint64_t>(size) <= size_;
}

} // namespace quarrow
