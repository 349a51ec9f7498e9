// drag_files PATH...: a small window titled "drag_files"; a left-button press in it starts an OLE drag
// of the given files (CF_HDROP, as a file manager offers them), which ends where the button is
// released. The exit code says how it ended: 0 when a target took the files, 1 when none did or the
// drag was cancelled, 2 when the drag could not start.

#include "Handles.hpp"
#include "OleSession.hpp"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using quarrow::win32::UniqueGlobal;

constexpr wchar_t kCaption[] = L"drag_files";

// The files as CF_HDROP carries them: a DROPFILES header, then the wide paths, each ended by a null,
// and one more null after the last.
UniqueGlobal MakeDropFiles(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) {
        list += path;
        list += L'\0';
    }
    list += L'\0';
    const SIZE_T bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    if (!block) {
        return block;
    }
    auto* header = static_cast<DROPFILES*>(GlobalLock(block.Get()));
    if (header == nullptr) {
        return UniqueGlobal(nullptr);
    }
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(block.Get());
    return block;
}

// A copy of a global block, for a caller that takes ownership of what GetData returns.
HGLOBAL CopyOf(HGLOBAL source) {
    const SIZE_T bytes = GlobalSize(source);
    UniqueGlobal copy(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!copy) {
        return nullptr;
    }
    const void* from = GlobalLock(source);
    void* to = GlobalLock(copy.Get());
    if (from != nullptr && to != nullptr) {
        std::memcpy(to, from, bytes);
    }
    GlobalUnlock(copy.Get());
    GlobalUnlock(source);
    return from != nullptr && to != nullptr ? copy.Detach() : nullptr;
}

// Reference counting for the two COM objects, which live on the stack for the drag and are never
// deleted through Release.
template <typename Interface> class StackObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == __uuidof(Interface)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

private:
    std::atomic<ULONG> references_{1};
};

class FileList final : public StackObject<IDataObject> {
public:
    explicit FileList(UniqueGlobal files) : files_(std::move(files)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (medium == nullptr) {
            return E_POINTER;
        }
        const HRESULT offered = QueryGetData(format);
        if (offered != S_OK) {
            return offered;
        }
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = CopyOf(files_.Get());
        medium->pUnkForRelease = nullptr;
        return medium->hGlobal != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        if (format == nullptr) {
            return E_POINTER;
        }
        if (format->cfFormat != CF_HDROP) {
            return DV_E_FORMATETC;
        }
        return (format->tymed & TYMED_HGLOBAL) != 0 ? S_OK : DV_E_TYMED;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out != nullptr) {
            out->ptd = nullptr;
        }
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (direction != DATADIR_GET) {
            return E_NOTIMPL;
        }
        FORMATETC offered{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &offered, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    UniqueGlobal files_;
};

// The drag goes on while the left button is held, and drops where it is released.
class LeftButtonDrag final : public StackObject<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keys) override {
        if (escapePressed) {
            return DRAGDROP_S_CANCEL;
        }
        return (keys & MK_LBUTTON) != 0 ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

struct DragRequest {
    std::vector<std::wstring> paths;
    int exitCode = 1;
};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* request = reinterpret_cast<DragRequest*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        break;
    case WM_LBUTTONDOWN: {
        FileList files(MakeDropFiles(request->paths));
        LeftButtonDrag source;
        DWORD effect = DROPEFFECT_NONE;
        const HRESULT ended = DoDragDrop(&files, &source, DROPEFFECT_COPY, &effect);
        request->exitCode = ended == DRAGDROP_S_DROP && (effect & DROPEFFECT_COPY) != 0 ? 0 : ended < 0 ? 2 : 1;
        DestroyWindow(window);
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> arguments(CommandLineToArgvW(GetCommandLineW(), &count),
                                                                  &LocalFree);
    if (!arguments || count < 2) {
        return 2;
    }
    const quarrow::win32::OleSession ole;
    if (!ole) {
        return 2;
    }
    DragRequest request{{arguments.get() + 1, arguments.get() + count}};

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kCaption;
    if (RegisterClassW(&windowClass) == 0) {
        return 2;
    }
    // Out of the way of the program's window, which opens at the screen's top left.
    const HWND window = CreateWindowExW(WS_EX_TOPMOST, kCaption, kCaption, WS_POPUP | WS_VISIBLE | WS_BORDER,
                                        GetSystemMetrics(SM_CXSCREEN) - 160, GetSystemMetrics(SM_CYSCREEN) - 120, 120,
                                        80, nullptr, nullptr, instance, &request);
    if (window == nullptr) {
        return 2;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
    return request.exitCode;
}
