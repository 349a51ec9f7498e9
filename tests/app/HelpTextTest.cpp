#include "HelpText.hpp"
#include "frmMainLayout.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarrow::app {
namespace {

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(L"\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::wstring::npos) {
            return lines;
        }
        start = end + 2;
    }
}

// The notes name the commands as the toolbar does: every command button but Help and About, in the
// toolbar's order, heads a paragraph indented by eight spaces. Lines break with CR LF alone, and the
// last has no break after it.
TEST(UsageText, HeadsAParagraphForEachCommandWithItsButtonsCaption) {
    const std::wstring text = UsageText();
    EXPECT_FALSE(text.ends_with(L"\r\n"));
    const std::vector<std::wstring> lines = SplitLines(text);
    std::vector<std::wstring> headings;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].find_first_of(L"\r\n"), std::wstring::npos) << "a lone CR or LF in line " << i + 1;
        const bool paragraphFollows = i + 1 < lines.size() && lines[i + 1].starts_with(L"        ");
        if (paragraphFollows && !lines[i].empty()) {
            headings.push_back(lines[i]);
        }
    }
    std::vector<std::wstring> captions;
    for (const ToolbarButtonLayout& button : ToolbarButtons()) {
        if (button.button != ToolbarButton::Help && button.button != ToolbarButton::About) {
            captions.emplace_back(button.caption);
        }
    }
    EXPECT_EQ(headings, captions);
}

} // namespace
} // namespace quarrow::app
