#pragma once
// The calling thread's OLE session for a scope, which the system's drag and drop needs on both its
// ends; a thread whose session could not start takes part in no drag.

#include <ole2.h>

namespace quarrow::win32 {

class OleSession {
public:
    OleSession() : joined_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (joined_) {
            OleUninitialize();
        }
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

    explicit operator bool() const { return joined_; }

private:
    bool joined_;
};

} // namespace quarrow::win32
