#pragma once
// The storage that a data object's GetData hands over, released once it has been read.

#include <ole2.h>

namespace quarrow::win32 {

class StorageMedium {
public:
    StorageMedium() = default;
    ~StorageMedium() {
        if (medium_.tymed != TYMED_NULL) {
            ReleaseStgMedium(&medium_);
        }
    }
    StorageMedium(const StorageMedium&) = delete;
    StorageMedium& operator=(const StorageMedium&) = delete;

    STGMEDIUM* Out() { return &medium_; }
    const STGMEDIUM& Get() const { return medium_; }

private:
    STGMEDIUM medium_{};
};

} // namespace quarrow::win32
