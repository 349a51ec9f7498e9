#include "FileDropTarget.hpp"

#include "EntryDataObject.hpp"

#include "ComObject.hpp"
#include "StorageMedium.hpp"

#include <ole2.h>

#include <utility>

namespace quarrow::app {

namespace {

// Posted to the window once a drop has returned; its files wait in the target.
constexpr UINT kFilesDropped = WM_APP + 0x51;

// Rows dragged out of the list and back onto the window would come in again as files: refused.
bool OffersFiles(IDataObject* data) {
    FORMATETC files{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return data != nullptr && data->QueryGetData(&files) == S_OK && !IsOwnDrag(data);
}

} // namespace

std::vector<std::wstring> DroppedPaths(HDROP drop) {
    std::vector<std::wstring> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0), L'\0');
        if (!path.empty()) {
            path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size() + 1)));
            paths.push_back(std::move(path));
        }
    }
    return paths;
}

class FileDropTarget::Target final : public win32::ComObject<IDropTarget> {
public:
    Target(HWND window, std::function<void(std::vector<std::wstring>)> dropped)
        : window_(window), dropped_(std::move(dropped)) {}

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        effect_ = OffersFiles(data) && IsWindowEnabled(window_) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return Answer(effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override { return Answer(effect); }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override try {
        FORMATETC files{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        win32::StorageMedium medium;
        if (effect_ == DROPEFFECT_NONE || data == nullptr || FAILED(data->GetData(&files, medium.Out()))) {
            effect_ = DROPEFFECT_NONE;
            return Answer(effect);
        }
        pending_ = DroppedPaths(static_cast<HDROP>(medium.Get().hGlobal));
        PostMessageW(window_, kFilesDropped, 0, 0);
        return Answer(effect);
    } catch (...) {
        // Nothing may pass into the system's frames: the drag's source hears that the drop failed.
        effect_ = DROPEFFECT_NONE;
        pending_.clear();
        if (effect != nullptr) {
            *effect = DROPEFFECT_NONE;
        }
        return E_OUTOFMEMORY;
    }

    void HandOn() {
        std::vector<std::wstring> paths = std::exchange(pending_, {});
        if (!paths.empty()) {
            dropped_(std::move(paths));
        }
    }

private:
    HRESULT Answer(DWORD* effect) const {
        if (effect == nullptr) {
            return E_INVALIDARG;
        }
        *effect &= effect_;
        return S_OK;
    }

    HWND window_;
    std::function<void(std::vector<std::wstring>)> dropped_;
    DWORD effect_ = DROPEFFECT_NONE;
    std::vector<std::wstring> pending_;
};

FileDropTarget::FileDropTarget(HWND window, std::function<void(std::vector<std::wstring>)> dropped)
    : window_(window), target_(new Target(window, std::move(dropped))) {
    registered_ = SUCCEEDED(RegisterDragDrop(window_, target_));
}

FileDropTarget::~FileDropTarget() {
    if (registered_) {
        RevokeDragDrop(window_);
    }
    target_->Release();
}

bool FileDropTarget::HandleMessage(UINT message) {
    if (message != kFilesDropped) {
        return false;
    }
    target_->HandOn();
    return true;
}

} // namespace quarrow::app
