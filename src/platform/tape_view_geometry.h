#pragma once
// What the tape needs to know of the grid that shows it: how many rows fit, row height,
// client height and the column widths.

#include <map>

namespace tally {

class ITapeViewGeometry {
public:
    virtual ~ITapeViewGeometry() = default;
    // Whole data rows that fit below the fixed heading row.
    virtual int VisibleRowCount() const = 0;
    virtual int DefaultRowHeight() const = 0;
    virtual int ClientHeight() const = 0;
    virtual int ColumnWidth(int column) const = 0;
    virtual void SetColumnWidth(int column, int width) = 0;
};

// Geometry of an imagined grid whose heading row is one default row high.
class HeadlessTapeViewGeometry : public ITapeViewGeometry {
public:
    HeadlessTapeViewGeometry(int clientHeight = 400, int defaultRowHeight = 20,
                             int defaultColumnWidth = 64)
        : clientHeight_(clientHeight),
          rowHeight_(defaultRowHeight),
          defaultColumnWidth_(defaultColumnWidth) {}

    int VisibleRowCount() const override {
        if (rowHeight_ <= 0 || clientHeight_ <= rowHeight_) return 0;
        return (clientHeight_ - rowHeight_) / rowHeight_;
    }
    int DefaultRowHeight() const override { return rowHeight_; }
    int ClientHeight() const override { return clientHeight_; }
    int ColumnWidth(int column) const override {
        auto it = columnWidths_.find(column);
        return it == columnWidths_.end() ? defaultColumnWidth_ : it->second;
    }
    void SetColumnWidth(int column, int width) override { columnWidths_[column] = width; }

    void SetClientHeight(int height) { clientHeight_ = height; }
    void SetDefaultRowHeight(int height) { rowHeight_ = height; }

private:
    int clientHeight_;
    int rowHeight_;
    int defaultColumnWidth_;
    std::map<int, int> columnWidths_;
};

}  // namespace tally
