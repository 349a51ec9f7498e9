#pragma once
// What a list view shows: a number of rows and the text of each cell. The list view asks for the
// cells it is about to paint and keeps none of them, so a model of any size appears at once.

#include <cstddef>
#include <string>

namespace quarrow::components {

class RowSource {
public:
    virtual ~RowSource() = default;

    virtual std::size_t RowCount() const = 0;
    // `row` runs from 1 to RowCount(), `column` from 1 to the number of columns.
    virtual std::wstring CellText(std::size_t row, int column) const = 0;
};

} // namespace quarrow::components
