#pragma once
// One command at a time. Long commands let the message loop run so that the progress window repaints,
// and the main window stays enabled meanwhile; a click on another command then finds the flag raised
// and starts nothing, instead of a second operation on the workspace under the first (the windows
// then point the user to the running command, RunningCommandAlert.hpp).

#include <functional>
#include <optional>
#include <utility>

namespace quarrow::app {

class BusyFlag {
public:
    // Held by the running command; lowers the flag when it ends, and then reports the flag idle.
    class Scope {
    public:
        explicit Scope(BusyFlag& flag) : flag_(&flag) { flag_->busy_ = true; }
        ~Scope() {
            if (flag_) {
                flag_->busy_ = false;
                if (flag_->Idle) {
                    flag_->Idle();
                }
            }
        }
        Scope(Scope&& other) noexcept : flag_(std::exchange(other.flag_, nullptr)) {}
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        Scope& operator=(Scope&&) = delete;

    private:
        BusyFlag* flag_;
    };

    bool Busy() const { return busy_; }

    // The flag for a command about to start; empty while another command runs.
    std::optional<Scope> TryEnter() {
        if (busy_) {
            return std::nullopt;
        }
        return std::optional<Scope>(std::in_place, *this);
    }

    // Called each time a command has finished.
    std::function<void()> Idle;

private:
    bool busy_ = false;
};

} // namespace quarrow::app
