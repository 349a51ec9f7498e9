#include "cMemory.hpp"

#include <gtest/gtest.h>

#include <cstring>

namespace quarrow::dialogs {
namespace {

UINT LockCount(HGLOBAL block) { return GlobalFlags(block) & GMEM_LOCKCOUNT; }

TEST(cMemory, WithoutABlockEverythingIsZeroAndNothingIsAllocated) {
    cMemory memory;
    EXPECT_EQ(memory.Pointer(), nullptr);
    EXPECT_EQ(memory.handle(), nullptr);
    EXPECT_EQ(memory.Size(), 0u);
    EXPECT_FALSE(memory.LockMemory());
    memory.UnlockMemory();
    memory.FreeMemory();
    memory.ReleaseDontFreeMemory();
    EXPECT_EQ(memory.handle(), nullptr);
}

TEST(cMemory, APointerLocksTheBlockOnce) {
    cMemory memory;
    ASSERT_TRUE(memory.AllocateMemory(26, GMEM_MOVEABLE | GMEM_ZEROINIT));
    EXPECT_GE(memory.Size(), 26u);
    EXPECT_EQ(LockCount(memory.handle()), 0u) << "allocating does not lock";

    auto* first = static_cast<unsigned char*>(memory.Pointer());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(memory.Pointer(), first);
    EXPECT_EQ(LockCount(memory.handle()), 1u);
    EXPECT_FALSE(memory.LockMemory()) << "already locked";
    EXPECT_EQ(first[0], 0) << "zero-initialised";
    EXPECT_EQ(first[25], 0);

    memory.UnlockMemory();
    EXPECT_EQ(LockCount(memory.handle()), 0u);
    EXPECT_TRUE(memory.LockMemory());
    EXPECT_EQ(LockCount(memory.handle()), 1u);
    memory.FreeMemory();
    EXPECT_EQ(memory.handle(), nullptr);
    EXPECT_EQ(memory.Pointer(), nullptr);
}

TEST(cMemory, TakingAnotherHandleFreesTheOwnedBlockFirst) {
    cMemory memory;
    ASSERT_TRUE(memory.AllocateMemory(64, GMEM_MOVEABLE));
    const HGLOBAL first = memory.handle();
    ASSERT_NE(memory.Pointer(), nullptr);

    const HGLOBAL second = GlobalAlloc(GMEM_MOVEABLE, 32);
    ASSERT_NE(second, nullptr);
    memory.handle(second);
    EXPECT_EQ(memory.handle(), second);
    EXPECT_EQ(GlobalFlags(first), static_cast<UINT>(GMEM_INVALID_HANDLE)) << "the first block was freed";
    EXPECT_EQ(LockCount(second), 0u) << "a taken handle is not locked";
    EXPECT_EQ(memory.Size(), GlobalSize(second));
}

TEST(cMemory, AllocatingAgainReplacesTheBlock) {
    cMemory memory;
    ASSERT_TRUE(memory.AllocateMemory(16, GMEM_MOVEABLE));
    const HGLOBAL first = memory.handle();
    ASSERT_TRUE(memory.AllocateMemory(48, GMEM_MOVEABLE));
    ASSERT_NE(memory.handle(), nullptr);
    // The system may hand the freed handle out again at once; only a live old block is a fault.
    const bool reused = memory.handle() == first;
    EXPECT_TRUE(reused || GlobalFlags(first) == static_cast<UINT>(GMEM_INVALID_HANDLE));
    EXPECT_GE(memory.Size(), 48u);
}

TEST(cMemory, ReleasedMemoryOutlivesTheObject) {
    HGLOBAL kept = nullptr;
    {
        cMemory memory;
        ASSERT_TRUE(memory.AllocateMemory(8, GMEM_MOVEABLE));
        std::memcpy(memory.Pointer(), "kept", 5);
        kept = memory.handle();
        memory.ReleaseDontFreeMemory();
        EXPECT_EQ(memory.handle(), nullptr);
        EXPECT_EQ(memory.Pointer(), nullptr);
    }
    EXPECT_EQ(LockCount(kept), 0u) << "released unlocked";
    const auto* text = static_cast<const char*>(GlobalLock(kept));
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "kept");
    GlobalUnlock(kept);
    EXPECT_EQ(GlobalFree(kept), nullptr);
}

TEST(cMemory, TheObjectFreesItsBlockWhenItEnds) {
    HGLOBAL owned = nullptr;
    {
        cMemory memory;
        ASSERT_TRUE(memory.AllocateMemory(8, GMEM_MOVEABLE));
        owned = memory.handle();
        ASSERT_NE(memory.Pointer(), nullptr);
    }
    EXPECT_EQ(GlobalFlags(owned), static_cast<UINT>(GMEM_INVALID_HANDLE));
}

TEST(cMemory, AFailedAllocationLeavesNoBlock) {
    cMemory memory;
    EXPECT_FALSE(memory.AllocateMemory(static_cast<SIZE_T>(-1) / 2, GMEM_MOVEABLE));
    EXPECT_EQ(memory.handle(), nullptr);
    EXPECT_EQ(memory.Pointer(), nullptr);
}

} // namespace
} // namespace quarrow::dialogs
