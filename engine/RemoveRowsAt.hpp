#pragma once
// Removing the selected rows of a list, as a list view reports them: 1-based positions, ascending.
// The rows left are those that removing row p - k for the k-th position p one at a time would leave
// (each removal moves the later rows up), but they are moved once each, in one pass.

#include <cstddef>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

namespace quarrow {

// Selected positions as a list view reports them: throws std::invalid_argument unless they ascend
// within 1 to the row count.
inline void RequireAscendingPositions(std::span<const std::size_t> positions, std::size_t rowCount) {
    for (std::size_t k = 0; k < positions.size(); ++k) {
        if (positions[k] < 1 || positions[k] > rowCount || (k > 0 && positions[k] <= positions[k - 1])) {
            throw std::invalid_argument("selected positions must ascend within 1 to the row count");
        }
    }
}

// Throws std::invalid_argument, and removes nothing, when the positions do not ascend within 1 to
// the row count.
template <typename Row> void RemoveRowsAt(std::vector<Row>& rows, std::span<const std::size_t> positions) {
    RequireAscendingPositions(positions, rows.size());
    std::size_t kept = 0;
    std::size_t next = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (next < positions.size() && positions[next] == i + 1) {
            ++next;
            continue;
        }
        if (kept != i) {
            rows[kept] = std::move(rows[i]);
        }
        ++kept;
    }
    rows.resize(kept);
}

} // namespace quarrow
