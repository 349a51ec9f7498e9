#include "AddContentRows.hpp"

#include "File.hpp"
#include "Text.hpp"
#include "modPAK.hpp"

#include <windows.h>

#include <algorithm>
#include <stdexcept>

namespace quarrow::app {

namespace {

bool SamePathText(std::wstring_view a, std::wstring_view b) {
    // Ordinal: the file system's own way of ignoring case, with no locale in between.
    return a.size() == b.size() && (a.empty() || CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                                                      static_cast<int>(b.size()), TRUE) == CSTR_EQUAL);
}

// Where a file's bytes landed. An empty file has a start address but no last byte: its range would
// end before it starts.
std::wstring AddressText(const AppendedBlock& block) {
    if (block.last < block.first) {
        return LongToHex(static_cast<std::int32_t>(block.first)) + L"h（0 字节）";
    }
    return block.AddressText();
}

} // namespace

std::wstring AddContentRows::CellText(std::size_t row, int column) const {
    if (row < 1 || row > rows_.size()) {
        return {};
    }
    const Row& item = rows_[row - 1];
    switch (column) {
    case 1: return item.path;
    case 2: return item.secondColumn;
    default: return {};
    }
}

bool AddContentRows::Lists(std::wstring_view path) const {
    return std::any_of(rows_.begin(), rows_.end(), [&](const Row& row) { return SamePathText(row.path, path); });
}

std::error_code AddContentRows::Add(const std::wstring& path) {
    std::uint64_t length = 0;
    try {
        length = File::Open(PathFromWide(path), File::Mode::Read).Size();
    } catch (const FileError& error) {
        return error.Code();
    }
    rows_.push_back({path, DecimalText(static_cast<long long>(length))});
    return {};
}

std::vector<std::filesystem::path> AddContentRows::Paths() const {
    std::vector<std::filesystem::path> paths;
    paths.reserve(rows_.size());
    for (const Row& row : rows_) {
        paths.push_back(PathFromWide(row.path));
    }
    return paths;
}

void AddContentRows::ShowResults(const std::vector<AppendOutcome>& outcomes) {
    if (outcomes.size() != rows_.size()) {
        throw std::invalid_argument("one outcome per listed file is needed");
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        rows_[i].secondColumn = outcomes[i].block ? AddressText(*outcomes[i].block) : std::wstring(kNotAppendedText);
    }
}

} // namespace quarrow::app
