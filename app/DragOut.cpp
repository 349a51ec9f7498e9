#include "DragOut.hpp"

#include "ComObject.hpp"
#include "ComPtr.hpp"

namespace quarrow::app {

namespace {

// The drag goes on while the left button is held, drops where it is let go, and Esc cancels it.
class LeftButtonDropSource final : public win32::ComObject<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escapePressed, DWORD keys) override {
        if (escapePressed) {
            return DRAGDROP_S_CANCEL;
        }
        return (keys & MK_LBUTTON) != 0 ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

} // namespace

std::vector<std::wstring> TopLevelItems(const std::filesystem::path& folder) {
    std::vector<std::wstring> items;
    for (const std::filesystem::directory_entry& item : std::filesystem::directory_iterator(folder)) {
        items.push_back(item.path().wstring());
    }
    return items;
}

bool DragButtonHeld() {
    // The button the user knows as the left one, whichever way the buttons are swapped.
    const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (GetAsyncKeyState(button) & 0x8000) != 0;
}

DWORD DragOutCopies(IDataObject* data) {
    const win32::ComPtr<IDropSource> source(new LeftButtonDropSource);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT ended = DoDragDrop(data, source.get(), DROPEFFECT_COPY, &effect);
    return ended == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

} // namespace quarrow::app
