#pragma once
// Owners for the kernel, user, shell and theme handles the program obtains.

#include "UniqueResource.hpp"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <uxtheme.h>

namespace quarrow::win32 {

namespace traits {
struct KernelHandle {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Release(HANDLE h) { CloseHandle(h); }
};
struct NullableKernelHandle {
    static HANDLE Invalid() { return nullptr; }
    static void Release(HANDLE h) { CloseHandle(h); }
};
struct FindHandle {
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Release(HANDLE h) { FindClose(h); }
};
struct Icon {
    static HICON Invalid() { return nullptr; }
    static void Release(HICON h) { DestroyIcon(h); }
};
struct Module {
    static HMODULE Invalid() { return nullptr; }
    static void Release(HMODULE h) { FreeLibrary(h); }
};
struct ItemList {
    static PIDLIST_ABSOLUTE Invalid() { return nullptr; }
    static void Release(PIDLIST_ABSOLUTE p) { CoTaskMemFree(p); }
};
struct Theme {
    static HTHEME Invalid() { return nullptr; }
    static void Release(HTHEME h) { CloseThemeData(h); }
};
struct GlobalBlock {
    static HGLOBAL Invalid() { return nullptr; }
    static void Release(HGLOBAL h) { GlobalFree(h); }
};
struct Menu {
    static HMENU Invalid() { return nullptr; }
    static void Release(HMENU h) { DestroyMenu(h); }
};
struct DroppedFiles {
    static HDROP Invalid() { return nullptr; }
    static void Release(HDROP h) { DragFinish(h); }
};
} // namespace traits

// A file, pipe or similar handle, where failure is INVALID_HANDLE_VALUE.
using UniqueFileHandle = UniqueResource<HANDLE, traits::KernelHandle>;
// A process, thread, event or similar handle, where failure is null.
using UniqueKernelHandle = UniqueResource<HANDLE, traits::NullableKernelHandle>;
using UniqueFindHandle = UniqueResource<HANDLE, traits::FindHandle>;
using UniqueIcon = UniqueResource<HICON, traits::Icon>;
using UniqueModule = UniqueResource<HMODULE, traits::Module>;
// A shell item identifier list, freed with the shell's allocator.
using UniqueItemList = UniqueResource<PIDLIST_ABSOLUTE, traits::ItemList>;
using UniqueTheme = UniqueResource<HTHEME, traits::Theme>;
using UniqueGlobal = UniqueResource<HGLOBAL, traits::GlobalBlock>;
using UniqueMenu = UniqueResource<HMENU, traits::Menu>;
// The files of a WM_DROPFILES, released once they have been read.
using UniqueDrop = UniqueResource<HDROP, traits::DroppedFiles>;

} // namespace quarrow::win32
