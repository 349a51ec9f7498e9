#include "EntryDataObject.hpp"

#include "ComObject.hpp"
#include "Handles.hpp"
#include "StorageMedium.hpp"

#include <shlobj.h>

#include <cstring>
#include <new>
#include <utility>

namespace quarrow::app {

namespace {

using win32::UniqueGlobal;

// Process ids are unique among running processes, so another running copy of the program takes the
// drag as any file manager's.
constexpr wchar_t kOwnDragFormat[] = L"Quarrow own drag";

CLIPFORMAT RegisteredFormat(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

FORMATETC GlobalFormat(CLIPFORMAT format) { return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

UniqueGlobal GlobalOf(const void* bytes, SIZE_T size) {
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, size));
    void* to = block ? GlobalLock(block.Get()) : nullptr;
    if (to == nullptr) {
        throw std::bad_alloc();
    }
    std::memcpy(to, bytes, size);
    GlobalUnlock(block.Get());
    return block;
}

UniqueGlobal GlobalOf(DWORD value) { return GlobalOf(&value, sizeof value); }

// CF_HDROP: a DROPFILES header, then the wide paths, each ended by a null, and one more null after
// the last.
UniqueGlobal DropFilesOf(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) {
        list += path;
        list += L'\0';
    }
    list += L'\0';
    std::string bytes(sizeof(DROPFILES) + list.size() * sizeof(wchar_t), '\0');
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::memcpy(bytes.data(), &header, sizeof header);
    std::memcpy(bytes.data() + sizeof header, list.data(), list.size() * sizeof(wchar_t));
    return GlobalOf(bytes.data(), bytes.size());
}

// A copy for a caller of GetData, who owns and frees what it receives.
HGLOBAL CopyOf(HGLOBAL source) {
    const SIZE_T size = GlobalSize(source);
    const void* from = GlobalLock(source);
    if (from == nullptr) {
        return nullptr;
    }
    HGLOBAL copy = nullptr;
    try {
        copy = GlobalOf(from, size).Detach();
    } catch (const std::bad_alloc&) {
    }
    GlobalUnlock(source);
    return copy;
}

class EntryDataObject final : public win32::ComObject<IDataObject> {
public:
    explicit EntryDataObject(const std::vector<std::wstring>& paths) {
        offers_.push_back({GlobalFormat(CF_HDROP), DropFilesOf(paths)});
        offers_.push_back({GlobalFormat(RegisteredFormat(CFSTR_PREFERREDDROPEFFECT)), GlobalOf(DROPEFFECT_COPY)});
        offers_.push_back({GlobalFormat(RegisteredFormat(kOwnDragFormat)), GlobalOf(GetCurrentProcessId())});
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (medium == nullptr) {
            return E_POINTER;
        }
        const Offer* offer = nullptr;
        if (const HRESULT found = Find(format, offer); found != S_OK) {
            return found;
        }
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = CopyOf(offer->data.Get());
        medium->pUnkForRelease = nullptr;
        return medium->hGlobal != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        const Offer* offer = nullptr;
        return Find(format, offer);
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out == nullptr) {
            return E_POINTER;
        }
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (formats == nullptr) {
            return E_POINTER;
        }
        *formats = nullptr;
        if (direction != DATADIR_GET) {
            return E_NOTIMPL;
        }
        std::vector<FORMATETC> offered;
        for (const Offer& offer : offers_) {
            offered.push_back(offer.format);
        }
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(offered.size()), offered.data(), formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    struct Offer {
        FORMATETC format;
        UniqueGlobal data;
    };

    HRESULT Find(const FORMATETC* format, const Offer*& found) const {
        if (format == nullptr) {
            return E_POINTER;
        }
        if (format->dwAspect != DVASPECT_CONTENT) {
            return DV_E_DVASPECT;
        }
        for (const Offer& offer : offers_) {
            if (offer.format.cfFormat == format->cfFormat) {
                if ((format->tymed & TYMED_HGLOBAL) == 0) {
                    return DV_E_TYMED;
                }
                found = &offer;
                return S_OK;
            }
        }
        return DV_E_FORMATETC;
    }

    std::vector<Offer> offers_;
};

} // namespace

win32::ComPtr<IDataObject> NewEntryDataObject(const std::vector<std::wstring>& paths) {
    return win32::ComPtr<IDataObject>(new EntryDataObject(paths));
}

bool IsOwnDrag(IDataObject* data) {
    FORMATETC mark = GlobalFormat(RegisteredFormat(kOwnDragFormat));
    win32::StorageMedium medium;
    if (data == nullptr || data->QueryGetData(&mark) != S_OK || FAILED(data->GetData(&mark, medium.Out())) ||
        medium.Get().tymed != TYMED_HGLOBAL) {
        return false;
    }
    const HGLOBAL block = medium.Get().hGlobal;
    DWORD process = 0;
    if (GlobalSize(block) < sizeof process) {
        return false;
    }
    const void* bytes = GlobalLock(block);
    if (bytes == nullptr) {
        return false;
    }
    std::memcpy(&process, bytes, sizeof process);
    GlobalUnlock(block);
    return process == GetCurrentProcessId();
}

} // namespace quarrow::app
