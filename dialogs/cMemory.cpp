#include "cMemory.hpp"

namespace quarrow::dialogs {

void cMemory::handle(HGLOBAL block) {
    FreeMemory();
    handle_ = block;
}

void* cMemory::Pointer() {
    if (handle_ && !pointer_) {
        LockMemory();
    }
    return pointer_;
}

SIZE_T cMemory::Size() const { return handle_ ? GlobalSize(handle_) : 0; }

bool cMemory::AllocateMemory(SIZE_T size, UINT flags) {
    FreeMemory();
    handle_ = GlobalAlloc(flags, size);
    return handle_ != nullptr;
}

bool cMemory::LockMemory() {
    if (!handle_ || pointer_) {
        return false;
    }
    pointer_ = GlobalLock(handle_);
    return pointer_ != nullptr;
}

void cMemory::UnlockMemory() {
    if (handle_ && pointer_) {
        GlobalUnlock(handle_);
        pointer_ = nullptr;
    }
}

void cMemory::FreeMemory() {
    if (handle_) {
        UnlockMemory();
        GlobalFree(handle_);
        handle_ = nullptr;
    }
}

void cMemory::ReleaseDontFreeMemory() {
    UnlockMemory();
    handle_ = nullptr;
}

} // namespace quarrow::dialogs
