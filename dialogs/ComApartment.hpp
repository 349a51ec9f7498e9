#pragma once
// Joins the calling thread to a single-threaded COM apartment for a scope, as the shell's folder
// browser requires for its new-style dialog, and leaves it again when the scope ends. A thread that
// is already in an apartment keeps it.

#include <objbase.h>

namespace quarrow::dialogs {

class ComApartment {
public:
    ComApartment() : joined_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (joined_) {
            CoUninitialize();
        }
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool joined_;
};

} // namespace quarrow::dialogs
