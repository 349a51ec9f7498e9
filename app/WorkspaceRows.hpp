#pragma once
// The visible entry list (lstFile) as the list view reads it: the workspace's visible columns, file
// name, size and directory. The master list (lsFile) is the workspace itself and is never shown.

#include "RowSource.hpp"
#include "Workspace.hpp"

namespace quarrow::app {

class WorkspaceRows final : public components::RowSource {
public:
    explicit WorkspaceRows(const Workspace& workspace) : workspace_(workspace) {}

    std::size_t RowCount() const override { return workspace_.Count(); }
    std::wstring CellText(std::size_t row, int column) const override { return workspace_.VisibleText(row, column); }

private:
    const Workspace& workspace_;
};

} // namespace quarrow::app
