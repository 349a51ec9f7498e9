#pragma once
// One block of global memory owned by an object: its handle, a pointer from locking it once, and
// freeing when asked or when the object ends. Some system calls (WinHelp's window position, printer
// device names) still take their data this way.

#include <windows.h>

namespace quarrow::dialogs {

class cMemory {
public:
    cMemory() = default;
    ~cMemory() { FreeMemory(); }
    cMemory(const cMemory&) = delete;
    cMemory& operator=(const cMemory&) = delete;

    // The owned block; null when there is none.
    HGLOBAL handle() const { return handle_; }
    // Frees the block owned now, then owns `block` without locking it.
    void handle(HGLOBAL block);

    // The locked address of the block (locking it on the first read); null when there is no block or
    // it cannot be locked. Never allocates.
    void* Pointer();

    // The block's size in bytes; 0 when there is none.
    SIZE_T Size() const;

    // Frees the current block and owns a new one of `size` bytes allocated with the GlobalAlloc
    // flags `flags`. True when the system gave a block.
    bool AllocateMemory(SIZE_T size, UINT flags);

    // Locks the block when it is not locked yet. True when an address was obtained now; false when
    // there is no block, it is already locked, or the lock failed.
    bool LockMemory();

    void UnlockMemory();

    // Unlocks and frees the block.
    void FreeMemory();

    // Unlocks the block and gives it up without freeing it: the caller (or the system) owns it now.
    void ReleaseDontFreeMemory();

private:
    HGLOBAL handle_ = nullptr;
    void* pointer_ = nullptr;
};

} // namespace quarrow::dialogs
