#pragma once
// One counted reference to a COM object, given back when the owner goes.

#include <unknwn.h>

#include <memory>

namespace quarrow::win32 {

struct ReleaseComObject {
    void operator()(IUnknown* object) const { object->Release(); }
};

// Takes over a reference the caller already holds (as a creating function returns it).
template <typename Interface> using ComPtr = std::unique_ptr<Interface, ReleaseComObject>;

} // namespace quarrow::win32
