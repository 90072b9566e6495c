#pragma once
// A main tape on a document bus, its page layout and report properties on a headless printer
// (8.5 x 11 inches at 100 dots per inch, characters 7 x 16 pixels at 10 points), and the
// application bus answering the file name for the footer.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/tape/calculator.h"
#include "foundation/event_names.h"
#include "foundation/mediator.h"
#include "foundation/message_records.h"
#include "foundation/notifications/notifier.h"
#include "output/tape_page_composer.h"
#include "platform/headless_notification_platform.h"
#include "platform/headless_printer.h"
#include "settings/print_settings.h"
#include "settings/tape_page_layout.h"

namespace tally {

using TPageOperations = std::vector<TCanvasOperation>;

class TapePrintTest : public ::testing::Test {
protected:
    // With 1-inch margins: L = 100, T = 101, R = 750, B = 1000. hM = 16, wM = 7, V = 1, P = 4.
    static constexpr int L = 100, T = 101, R = 750, B = 1000;
    // The printer canvas draws relative to the quarter-inch unprintable margin.
    static constexpr int kOffset = 25;

    TapePrintTest() {
        bus_.Add(events::FileObj_GetMainTapeCalcObject, [this](TMedRecord*, TMedRecord* out) {
            RecordAs<TMedObjectReference>(out)->ObjRef = &tape_;
        });
        appBus_.Add(events::FileMgr_GetVisibleFileName, [this](TMedRecord*, TMedRecord* out) {
            RecordAs<TMedString>(out)->Value = fileName_;
        });
        report_.Assign(TReportSettings{});
    }

    // Adds a line before the open line; returns its index.
    LineIndex AddLine(std::string entries, std::string indicator = "", std::string seriesType = "",
                      std::string annotation = "") {
        TLineStore& lines = tape_.Lines();
        const LineIndex at = lines.LastLine();
        lines.InsertLines(at);
        lines.SetEntries(at, entries);
        lines.SetIndicator(at, indicator);
        if (!seriesType.empty()) lines.SetProperty(at, "STYP", seriesType);
        if (!annotation.empty()) lines.SetCell(at, TLineColumn::Annotations, annotation);
        return at;
    }
    void AddEntries(int count) {
        for (int i = 1; i <= count; ++i) AddLine("+" + std::to_string(i));
    }
    void SetFlag(bool TTapePrintFlags::*flag, bool on) {
        TTapePrintFlags flags = layout_.TapeFlags();
        flags.*flag = on;
        layout_.SetTapeFlags(flags);
    }

    TPrintJobResult Print() { return PrintTape(tape_, layout_, report_, {}, &appBus_); }
    const TPageOperations& Page(std::size_t index) const { return printer_.Pages().at(index); }

    // The prepared print columns' widths, offsets and headings, left to right.
    struct TColumnLayout {
        std::vector<int> Widths;
        std::vector<int> Offsets;
        std::vector<std::string> Headings;
    };
    static TColumnLayout ColumnLayout(const TPrintColPropList& columns) {
        TColumnLayout layout;
        for (const auto& column : columns.Items()) {
            layout.Widths.push_back(column.Width);
            layout.Offsets.push_back(column.Offset);
            layout.Headings.push_back(column.Heading);
        }
        return layout;
    }
    static std::vector<std::string> Texts(const TPageOperations& page) {
        std::vector<std::string> texts;
        for (const auto& op : page) {
            if (op.Kind == TCanvasOperationKind::Text) texts.push_back(op.Text);
        }
        return texts;
    }
    static bool HasText(const TPageOperations& page, std::string_view text) {
        const auto texts = Texts(page);
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    // The first text drawn with exactly this content.
    static const TCanvasOperation* FindText(const TPageOperations& page, std::string_view text) {
        for (const auto& op : page) {
            if (op.Kind == TCanvasOperationKind::Text && op.Text == text) return &op;
        }
        return nullptr;
    }
    static std::vector<TCanvasOperation> Lines(const TPageOperations& page, bool horizontal) {
        std::vector<TCanvasOperation> lines;
        for (const auto& op : page) {
            if (op.Kind != TCanvasOperationKind::Line) continue;
            if ((op.Area.Height == 0) == horizontal) lines.push_back(op);
        }
        return lines;
    }

    HeadlessNotificationPlatform platform_;
    TInstalledNotifier notifier_{platform_};
    TStMediator bus_;
    TStMediator appBus_;
    std::string fileName_ = "Untitled(1)";
    TCalculator tape_{'t', &bus_};
    TTapePageLayout layout_{&bus_};
    HeadlessPrinter printer_;
    TWyn_ReportProperties report_{printer_};
};

}  // namespace tally
