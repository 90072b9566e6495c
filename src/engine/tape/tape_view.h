#pragma once
// What the tape asks of the grid that shows it: the grid's metrics, text measuring in the
// grid's font, and a repaint. The tape keeps the model (lines, focus cell, top line, column
// widths, editor state); the grid follows it.

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/tape_view_geometry.h"

namespace tally {

class ITapeView : public ITapeViewGeometry {
public:
    // Text measured in the grid's font; a text with line breaks measures its widest line.
    virtual int TextWidth(std::string_view text) const = 0;
    virtual int TextHeight(std::string_view text) const = 0;
    virtual int GridLineWidth() const = 0;
    // Repaints what changed. Only painting: no user input is delivered from inside this call,
    // so a half-finished operation is never re-entered.
    virtual void Repaint() = 0;
};

// Fixed metrics for tests and the command-line tool: every character 7 pixels wide, text 16
// pixels high, rows 20 pixels, grid lines 1 pixel.
class HeadlessTapeView : public ITapeView {
public:
    explicit HeadlessTapeView(int clientHeight = 400, int defaultRowHeight = 20)
        : geometry_(clientHeight, defaultRowHeight) {}

    static constexpr int kCharWidth = 7;
    static constexpr int kTextHeight = 16;

    int VisibleRowCount() const override { return geometry_.VisibleRowCount(); }
    int DefaultRowHeight() const override { return geometry_.DefaultRowHeight(); }
    int ClientHeight() const override { return geometry_.ClientHeight(); }
    int ColumnWidth(int column) const override { return geometry_.ColumnWidth(column); }
    void SetColumnWidth(int column, int width) override { geometry_.SetColumnWidth(column, width); }

    int TextWidth(std::string_view text) const override {
        std::size_t widest = 0;
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find_first_of("\r\n", start);
            if (end == std::string_view::npos) end = text.size();
            widest = std::max(widest, end - start);
            start = text.find_first_not_of("\r\n", end);
            if (start == std::string_view::npos) break;
        }
        return static_cast<int>(widest) * kCharWidth;
    }
    int TextHeight(std::string_view) const override { return kTextHeight; }
    int GridLineWidth() const override { return 1; }
    void Repaint() override { ++repaintCount_; }

    void SetClientHeight(int height) { geometry_.SetClientHeight(height); }
    int RepaintCount() const { return repaintCount_; }

private:
    HeadlessTapeViewGeometry geometry_;
    int repaintCount_ = 0;
};

}  // namespace tally
