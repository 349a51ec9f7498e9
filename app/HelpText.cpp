#include "HelpText.hpp"

#include <array>
#include <string_view>

namespace quarrow::app {

namespace {

// An empty entry is an empty line. The paragraphs are indented with eight spaces, as the text box has
// no first-line indent of its own; the blank before the full-width comma of the last line belongs to
// the text.
constexpr std::array<std::wstring_view, 33> kUsageLines = {
    L"建议使用方法：",
    L"",
    L"        先将要打包的文件预先准备好在一个目录内。使用【增加目录】功能，选择该目录。档案都被读取进入清单之后，再进行打包即可。打包之前，请确认目录都正确无误。",
    L"",
    L"",
    L"",
    L"功能使用说明：",
    L"",
    L"此程序只支援《三国群英传II》的PAK文件。",
    L"",
    L"新PAK文件",
    L"        可以自行编辑（增加档案、删除档案）新的PAK文件内容。",
    L"",
    L"开启PAK文件",
    L"        提供打开现有PAK文件。并且读取出PAK文件内的所有档案索引，以提供解包、附加档案内容之用。",
    L"",
    L"打包PAK文件",
    L"        将自己编辑的PAK文件，打包至新的一个PAK文件。",
    L"",
    L"解包PAK文件",
    L"        必须配合开启PAK文件，方能将所有档案解包出来。",
    L"",
    L"增加档案",
    L"        自己选择一些欲加入的档案。此功能不包含保留目录的功能。",
    L"",
    L"增加目录",
    L"        将被选择的目录以及目录内的所有子目录之档案，全部读取出来。此功能会保留目录的讯息。",
    L"",
    L"附加档案内容",
    L"        此功能必须配合开启PAK文件，方能操作。这个功能纯粹把被选择的档案内容复制进入PAK文件，并不会重新编排索引。",
    L"",
    L"删除档案",
    L"        将不要的档案 ，从清单内删除。",
};

} // namespace

std::wstring UsageText() {
    std::wstring text;
    for (std::size_t i = 0; i < kUsageLines.size(); ++i) {
        if (i > 0) {
            text += L"\r\n";
        }
        text += kUsageLines[i];
    }
    return text;
}

} // namespace quarrow::app
