#pragma once
// A window timer that is either running or stopped, stopped for good when the object ends. Its ticks
// arrive as WM_TIMER with the timer's id at the window it was made for.

#include <windows.h>

namespace quarrow::controls {

class IntervalTimer {
public:
    IntervalTimer(HWND window, UINT_PTR id, UINT intervalMs) : window_(window), id_(id), interval_(intervalMs) {}
    ~IntervalTimer() { Stop(); }
    IntervalTimer(const IntervalTimer&) = delete;
    IntervalTimer& operator=(const IntervalTimer&) = delete;

    UINT_PTR Id() const { return id_; }
    bool Running() const { return running_; }

    // Starting a running timer or stopping a stopped one changes nothing (the tick rhythm included).
    void SetRunning(bool run) {
        if (run == running_) {
            return;
        }
        if (run) {
            running_ = SetTimer(window_, id_, interval_, nullptr) != 0;
        } else {
            Stop();
        }
    }
    void Stop() {
        if (running_ && IsWindow(window_)) {
            KillTimer(window_, id_);
        }
        running_ = false;
    }

private:
    HWND window_;
    UINT_PTR id_;
    UINT interval_;
    bool running_ = false;
};

} // namespace quarrow::controls
