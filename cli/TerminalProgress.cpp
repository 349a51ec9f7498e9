#include "TerminalProgress.hpp"

#include "Console.hpp"
#include "Text.hpp"

namespace quarrow::cli {

namespace {

constexpr std::size_t kWidth = 78;
constexpr auto kInterval = std::chrono::milliseconds(100);

} // namespace

void TerminalProgress::SetItem(std::wstring_view text) {
    // The extractor's item is two lines; the first (the file) is the one worth a line of its own.
    item_ = text.substr(0, text.find(L'\r'));
}

void TerminalProgress::SetText(ProgressBar bar, std::wstring_view text) {
    (bar == ProgressBar::Items ? items_ : stages_) = text;
}

void TerminalProgress::Breathe() {
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && now - lastDrawn_ < kInterval) {
        return;
    }
    lastDrawn_ = now;
    std::wstring line = status_;
    for (const auto* part : {&stages_, &items_, &item_}) {
        if (!part->empty()) {
            line += L" " + *part;
        }
    }
    if (line.size() > kWidth) {
        line = line.substr(0, kWidth / 2 - 2) + L"..." + line.substr(line.size() - (kWidth / 2 - 1));
    }
    line.resize(kWidth, L' ');
    // Appended rather than concatenated: "\r" + std::string trips a false -Wrestrict in GCC 12's
    // optimised builds.
    std::string text = "\r";
    text += Utf8FromWide(line);
    Write(Stream::Err, text);
    drawn_ = true;
}

void TerminalProgress::Close() {
    if (drawn_) {
        Write(Stream::Err, "\r" + std::string(kWidth, ' ') + "\r");
        drawn_ = false;
    }
}

} // namespace quarrow::cli
