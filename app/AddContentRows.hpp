#pragma once
// The append-content window's list (lstFile) as the list view reads it: one row per chosen file, its
// full path in column 1, and in column 2 its length in bytes while files are being chosen, or after a
// run the range of archive offsets its bytes were written to.

#include "RowSource.hpp"

#include "ContentAppender.hpp"
#include "RemoveRowsAt.hpp"

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace quarrow::app {

// Column 2 of a file that a run left out; the run says why in a message.
inline constexpr std::wstring_view kNotAppendedText = L"未写入";

class AddContentRows final : public components::RowSource {
public:
    std::size_t RowCount() const override { return rows_.size(); }
    std::wstring CellText(std::size_t row, int column) const override;

    // Whether exactly this path is listed, letters compared without regard to case.
    bool Lists(std::wstring_view path) const;

    // Appends the file with its length, read by opening it now. When it cannot be opened and measured,
    // nothing is added and the reason is returned.
    [[nodiscard]] std::error_code Add(const std::wstring& path);

    // Removes the rows at the given 1-based positions, which ascend, as Workspace::RemoveSelectedEntries
    // does.
    void RemoveSelected(std::span<const std::size_t> positions) { RemoveRowsAt(rows_, positions); }
    void Clear() { rows_.clear(); }

    // The files in list order, as the run takes them.
    std::vector<std::filesystem::path> Paths() const;

    // Column 2 of each row from the run's outcome for it: the address range, or kNotAppendedText.
    // Throws std::invalid_argument when the outcomes do not match the rows one for one.
    void ShowResults(const std::vector<AppendOutcome>& outcomes);

private:
    struct Row {
        std::wstring path;
        std::wstring secondColumn;
    };
    std::vector<Row> rows_;
};

} // namespace quarrow::app
