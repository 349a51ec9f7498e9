#include "HelpText.hpp"

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

// The notes as the user reads them, written out as one block so that a slip in any line shows.
std::wstring ExpectedNotes() {
    std::wstring block = LR"(建议使用方法：

        先将要打包的文件预先准备好在一个目录内。使用【增加目录】功能，选择该目录。档案都被读取进入清单之后，再进行打包即可。打包之前，请确认目录都正确无误。



功能使用说明：

此程序只支援《三国群英传II》的PAK文件。

新PAK文件
        可以自行编辑（增加档案、删除档案）新的PAK文件内容。

开启PAK文件
        提供打开现有PAK文件。并且读取出PAK文件内的所有档案索引，以提供解包、附加档案内容之用。

打包PAK文件
        将自己编辑的PAK文件，打包至新的一个PAK文件。

解包PAK文件
        必须配合开启PAK文件，方能将所有档案解包出来。

增加档案
        自己选择一些欲加入的档案。此功能不包含保留目录的功能。

增加目录
        将被选择的目录以及目录内的所有子目录之档案，全部读取出来。此功能会保留目录的讯息。

附加档案内容
        此功能必须配合开启PAK文件，方能操作。这个功能纯粹把被选择的档案内容复制进入PAK文件，并不会重新编排索引。

删除档案
        将不要的档案 ，从清单内删除。)";
    std::wstring withBreaks;
    for (const wchar_t c : block) {
        withBreaks += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
    }
    return withBreaks;
}

TEST(UsageText, IsTheNotesCharacterForCharacter) { EXPECT_EQ(UsageText(), ExpectedNotes()); }

TEST(UsageText, HasThirtyThreeLinesBrokenByCarriageReturnLineFeedOnly) {
    const std::wstring text = UsageText();
    const std::vector<std::wstring> lines = SplitLines(text);
    EXPECT_EQ(lines.size(), 33u);
    for (const std::wstring& line : lines) {
        EXPECT_EQ(line.find_first_of(L"\r\n"), std::wstring::npos) << "a lone CR or LF inside a line";
    }
    EXPECT_TRUE(text.starts_with(L"建议使用方法："));
    EXPECT_TRUE(text.ends_with(L"\r\n        将不要的档案 ，从清单内删除。")) << "no line break after the last line";
}

TEST(UsageText, ThreeEmptyLinesSeparateTheAdviceFromTheCommands) {
    const std::vector<std::wstring> lines = SplitLines(UsageText());
    ASSERT_EQ(lines.size(), 33u);
    EXPECT_EQ(lines[6], L"功能使用说明：");
    EXPECT_EQ(lines[2].substr(0, 9), L"        先");
    for (const std::size_t empty : {3u, 4u, 5u}) {
        EXPECT_EQ(lines[empty], L"") << "line " << empty + 1;
    }
}

TEST(UsageText, EachCommandIsHeadedByItsButtonCaptionOverAnIndentedParagraph) {
    const std::vector<std::wstring> lines = SplitLines(UsageText());
    ASSERT_EQ(lines.size(), 33u);
    const std::vector<std::wstring> captions = {L"新PAK文件", L"开启PAK文件", L"打包PAK文件",  L"解包PAK文件",
                                                L"增加档案",  L"增加目录",    L"附加档案内容", L"删除档案"};
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const std::size_t heading = 10 + 3 * i;
        EXPECT_EQ(lines[heading], captions[i]);
        const std::wstring& body = lines[heading + 1];
        EXPECT_EQ(body.substr(0, 8), L"        ") << "paragraph under " << heading + 1;
        EXPECT_NE(body[8], L' ') << "exactly eight spaces under line " << heading + 1;
        if (heading + 2 < lines.size()) {
            EXPECT_EQ(lines[heading + 2], L"");
        }
    }
}

} // namespace
} // namespace quarrow::app
