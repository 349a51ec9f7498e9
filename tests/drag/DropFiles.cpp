// drop_files FOLDER: a small window titled "drop_files" that takes files dropped onto it through the
// system's drag and drop (CF_HDROP, as a file manager takes them) and copies each dropped file or
// folder, with everything below it, into FOLDER. The exit code says how it ended: 0 when a drop was
// copied, 1 when the copy failed, 2 when the window could not start.

#include "ComObject.hpp"
#include "ComPtr.hpp"
#include "OleSession.hpp"
#include "StorageMedium.hpp"

#include <windows.h>
#include <ole2.h>
#include <shellapi.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

namespace {

namespace fs = std::filesystem;

constexpr wchar_t kCaption[] = L"drop_files";

FORMATETC DroppedFiles() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool CopyDropped(HDROP drop, const fs::path& folder) {
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::error_code error;
    for (UINT i = 0; i < count && !error; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1)));
        const fs::path dropped(path);
        fs::copy(dropped, folder / dropped.filename(), fs::copy_options::recursive, error);
    }
    return count > 0 && !error;
}

class CopyingTarget final : public quarrow::win32::ComObject<IDropTarget> {
public:
    CopyingTarget(HWND window, fs::path folder) : window_(window), folder_(std::move(folder)) {}

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        FORMATETC files = DroppedFiles();
        offered_ = data != nullptr && data->QueryGetData(&files) == S_OK;
        *effect = offered_ ? *effect & DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect = offered_ ? *effect & DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        FORMATETC files = DroppedFiles();
        quarrow::win32::StorageMedium medium;
        copied_ = offered_ && SUCCEEDED(data->GetData(&files, medium.Out())) &&
                  CopyDropped(static_cast<HDROP>(medium.Get().hGlobal), folder_);
        *effect = copied_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        PostMessageW(window_, WM_CLOSE, 0, 0);
        return S_OK;
    }

    bool Copied() const { return copied_; }

private:
    HWND window_;
    fs::path folder_;
    bool offered_ = false;
    bool copied_ = false;
};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        RevokeDragDrop(window);
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> arguments(CommandLineToArgvW(GetCommandLineW(), &count),
                                                                  &LocalFree);
    if (!arguments || count != 2) {
        return 2;
    }
    const quarrow::win32::OleSession ole;
    if (!ole) {
        return 2;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kCaption;
    if (RegisterClassW(&windowClass) == 0) {
        return 2;
    }
    // Beside the program's window, which opens at the screen's top left, and clear of drag_files's.
    const HWND window =
        CreateWindowExW(WS_EX_TOPMOST, kCaption, kCaption, WS_POPUP | WS_VISIBLE | WS_BORDER,
                        GetSystemMetrics(SM_CXSCREEN) - 260, 40, 200, 160, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 2;
    }
    const quarrow::win32::ComPtr<CopyingTarget> target(new CopyingTarget(window, arguments.get()[1]));
    if (FAILED(RegisterDragDrop(window, target.get()))) {
        DestroyWindow(window);
        return 2;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageW(&msg);
    }
    return target->Copied() ? 0 : 1;
}
