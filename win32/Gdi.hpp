#pragma once
// Owners for GDI objects and device contexts, and a guard that puts back what a selection replaced.

#include "UniqueResource.hpp"

#include <windows.h>

#include <utility>

namespace quarrow::win32 {

namespace traits {
template <typename T> struct GdiObject {
    static T Invalid() { return nullptr; }
    static void Release(T h) { DeleteObject(h); }
};
struct CreatedDC {
    static HDC Invalid() { return nullptr; }
    static void Release(HDC h) { DeleteDC(h); }
};
} // namespace traits

template <typename T> using GdiObject = UniqueResource<T, traits::GdiObject<T>>;
using UniquePen = GdiObject<HPEN>;
using UniqueBrush = GdiObject<HBRUSH>;
using UniqueBitmap = GdiObject<HBITMAP>;
using UniqueFont = GdiObject<HFONT>;
using UniqueRegion = GdiObject<HRGN>;

// A context from CreateCompatibleDC or CreateDC, deleted with DeleteDC.
using UniqueDC = UniqueResource<HDC, traits::CreatedDC>;

inline UniqueDC CreateMemoryDC(HDC compatibleWith = nullptr) { return UniqueDC(CreateCompatibleDC(compatibleWith)); }

// Selects an object into a context and selects the previous one back when it ends.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's context from GetDC (or the screen's, for a null window), released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// The context of one WM_PAINT, between BeginPaint and EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

} // namespace quarrow::win32
