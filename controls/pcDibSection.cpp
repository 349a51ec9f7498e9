#include "pcDibSection.hpp"

#include "BmpFile.hpp"
#include "Handles.hpp"
#include "Picture.hpp"
#include "RaisedError.hpp"
#include "SystemErrorText.hpp"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <random>

namespace quarrow::controls {

using win32::SelectedObject;
using win32::UniqueBitmap;
using win32::UniqueDC;

namespace {

constexpr std::int32_t kCannotCreateFile = 17;

// Larger images could not state their size in the 32-bit fields of the bitmap header and the file.
constexpr std::uint64_t kLargestImage = 0xFFFFFFFFu - kBmpHeadersSize;

int OwnSizeIfNegative(int size, int own) { return size < 0 ? own : size; }

} // namespace

bool pcDibSection::Create(int lWidth, int lHeight) {
    const bool drawDibWasOn = UseDrawDib();
    ClearUp();
    UniqueDC dc = win32::CreateMemoryDC();
    UniqueBitmap dib;
    if (!dc || !CreateDIB(dc.Get(), lWidth, lHeight, dib)) {
        ClearUp();
        return false;
    }
    surface_ = BitmapContext(std::move(dc), std::move(dib));
    if (!surface_) {
        ClearUp();
        return false;
    }
    UseDrawDib(drawDibWasOn);
    return true;
}

bool pcDibSection::CreateDIB(HDC lHDC, int lWidth, int lHeight, UniqueBitmap& hDib) {
    if (lWidth < 1 || lHeight < 1 || BmpImageSize(lWidth, lHeight) > kLargestImage) {
        return false;
    }
    info_ = {};
    BITMAPINFOHEADER& header = info_.bmiHeader;
    header.biSize = sizeof header;
    header.biWidth = lWidth;
    header.biHeight = lHeight; // positive: rows bottom-up
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(BmpImageSize(lWidth, lHeight));
    void* bits = nullptr;
    hDib.Reset(CreateDIBSection(lHDC, &info_, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = hDib ? bits : nullptr;
    return static_cast<bool>(hDib);
}

bool pcDibSection::CreateFromHBitmap(HBITMAP hBmp) {
    BITMAP shape{};
    if (!hBmp || GetObjectType(hBmp) != OBJ_BITMAP || GetObjectW(hBmp, sizeof shape, &shape) == 0) {
        return false;
    }
    if (!Create(shape.bmWidth, std::abs(shape.bmHeight))) {
        return false;
    }
    const win32::WindowDC desktop(GetDesktopWindow());
    const UniqueDC source = win32::CreateMemoryDC(desktop.Get());
    if (!source) {
        return false;
    }
    const SelectedObject selected(source.Get(), hBmp);
    if (GetCurrentObject(source.Get(), OBJ_BITMAP) != hBmp) {
        return false; // selected into another context, where it cannot be read from
    }
    LoadPictureBlt(source.Get());
    return true;
}

bool pcDibSection::CreateFromPicture(const Picture& picThis) {
    switch (picThis.Kind()) {
    case Picture::Type::Bitmap: return CreateFromHBitmap(picThis.Bitmap());
    case Picture::Type::Icon:
        return Create(picThis.Width(), picThis.Height()) && picThis.Draw(hdc(), 0, 0, Width(), Height());
    case Picture::Type::None: break;
    }
    return false;
}

void pcDibSection::LoadPictureBlt(HDC lHDC, int lSrcLeft, int lSrcTop, int lSrcWidth, int lSrcHeight,
                                  DWORD eRop) const {
    if (!surface_) {
        return;
    }
    BitBlt(hdc(), 0, 0, OwnSizeIfNegative(lSrcWidth, Width()), OwnSizeIfNegative(lSrcHeight, Height()), lHDC, lSrcLeft,
           lSrcTop, eRop);
}

void pcDibSection::PaintPicture(HDC lHDC, int lDestLeft, int lDestTop, int lDestWidth, int lDestHeight, int lSrcLeft,
                                int lSrcTop, DWORD eRop) const {
    if (!surface_) {
        return;
    }
    const int width = OwnSizeIfNegative(lDestWidth, Width());
    const int height = OwnSizeIfNegative(lDestHeight, Height());
    if (drawDib_) {
        GdiFlush();
        DrawDibDraw(drawDib_.Get(), lHDC, lDestLeft, lDestTop, width, height,
                    const_cast<BITMAPINFOHEADER*>(&info_.bmiHeader), bits_, lSrcLeft, lSrcTop, width, height, 0);
    } else {
        BitBlt(lHDC, lDestLeft, lDestTop, width, height, hdc(), lSrcLeft, lSrcTop, eRop);
    }
}

void pcDibSection::AlphaPaintPicture(HDC lHDC, int lDestLeft, int lDestTop, int lDestWidth, int lDestHeight,
                                     int lSrcLeft, int lSrcTop, BYTE lConstantAlpha) const {
    if (!surface_) {
        return;
    }
    const int width = OwnSizeIfNegative(lDestWidth, Width());
    const int height = OwnSizeIfNegative(lDestHeight, Height());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, lConstantAlpha, AC_SRC_ALPHA};
    AlphaBlend(lHDC, lDestLeft, lDestTop, width, height, hdc(), lSrcLeft, lSrcTop, width, height, blend);
}

void pcDibSection::UseDrawDib(bool use) {
    if (!use) {
        drawDib_.Reset();
    } else if (!drawDib_) {
        drawDib_.Reset(DrawDibOpen());
    }
}

bool pcDibSection::SavePicture(const std::wstring& sFileName) const {
    if (!surface_) {
        return false;
    }
    const win32::UniqueFileHandle file(CreateFileW(sFileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        throw win32::RaisedError(kCannotCreateFile, win32::ErrorSource(L".cDIBSection"), SystemErrorText(error));
    }
    const BmpHeaders headers = EncodeBmpHeaders(Width(), Height());
    const std::span<const std::uint8_t> all(headers);
    const auto writeWhole = [&](std::span<const std::uint8_t> part) {
        DWORD written = 0;
        return WriteFile(file.Get(), part.data(), static_cast<DWORD>(part.size()), &written, nullptr) &&
               written == part.size();
    };
    return WritePartsInOrder(writeWhole,
                             {all.first(kBmpFileHeaderSize), all.subspan(kBmpFileHeaderSize), FlushedBytes()});
}

void pcDibSection::ModifyHLS(double fHue, double fLuminance, double fSaturation) {
    ModifyPixelsHLS(FlushedBytes(), fHue, fLuminance, fSaturation);
}

void pcDibSection::Lighten(int lAmount) { LightenPixels(FlushedBytes(), lAmount); }

std::unique_ptr<pcDibSection> pcDibSection::Resample(int lNewHeight, int lNewWidth) const {
    auto resampled = std::make_unique<pcDibSection>();
    if (!resampled->Create(lNewWidth, lNewHeight)) {
        return nullptr;
    }
    const std::span<std::uint8_t> from = FlushedBytes();
    if (lNewWidth == Width() && lNewHeight == Height()) {
        std::memcpy(resampled->bits_, from.data(), from.size());
    } else {
        ResamplePixels(Pixels(), resampled->Pixels());
    }
    return resampled;
}

void pcDibSection::Clear() {
    const std::span<std::uint8_t> bytes = FlushedBytes();
    std::fill(bytes.begin(), bytes.end(), std::uint8_t{0});
}

void pcDibSection::RandomiseBits(bool bGray) {
    std::random_device device;
    const auto now = static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::seed_seq seed{device(), device(), now};
    std::mt19937 generator(seed);
    RandomisePixels(FlushedBytes(), bGray, generator);
}

void pcDibSection::CodeAlphaBlend(const pcDibSection& source, pcDibSection& destination, BYTE SourceConstantAlpha) {
    GdiFlush();
    AlphaBlendPixels(source.Pixels(), destination.Pixels(), SourceConstantAlpha);
}

void pcDibSection::ClearUp() {
    surface_.Reset();
    bits_ = nullptr;
    info_ = {};
    drawDib_.Reset();
}

std::span<std::uint8_t> pcDibSection::FlushedBytes() const {
    // GDI may still hold drawing for the surface in its batch; the bytes are only current after this.
    GdiFlush();
    return Pixels().Bytes();
}

} // namespace quarrow::controls
