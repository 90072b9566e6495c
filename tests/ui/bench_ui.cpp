// Figures for the tape view: how long a long tape takes to build through the model, to open in
// its grid, and to take keys at its end. Prints a table; not a test.
//
//   QT_QPA_PLATFORM=offscreen build/tests/ui/bench_ui [lines...]

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "engine/tape/calculator.h"
#include "ui/tape_grid.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsOf(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The untimed setup runs before each repetition.
double MedianMilliseconds(int repetitions, const std::function<void()>& work,
                          const std::function<void()>& setup = {}) {
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i) {
        if (setup) setup();
        times.push_back(MillisecondsOf(work));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Measure(int lineCount) {
    tally::TTapeGrid grid;
    grid.resize(420, 600);
    tally::TCalculator tape('t', nullptr, &grid);
    grid.AttachTape(&tape);
    tally::TLineStore& lines = tape.Lines();

    // Line by line before the open last line, as typing adds them: every line reaches the view
    // as a row insert and two cell changes.
    const double build = MillisecondsOf([&] {
        for (int line = 0; line < lineCount - 1; ++line) {
            const tally::LineIndex at = lines.LastLine();
            lines.InsertLines(at, 1);
            lines.SetIndicator(at, " ");
            lines.SetEntries(at, "+1,234.56");
        }
    });
    tape.SetFocusLine(tape.LastLine());

    const double open = MillisecondsOf([&] {
        grid.SyncFromTape();
        grid.show();
        QCoreApplication::processEvents();
        grid.repaint();
    });

    QLineEdit& editor = *grid.CellEditor();
    const double typeDigit = MedianMilliseconds(5, [&] {
        QTest::keyClick(&editor, Qt::Key_5);
        grid.repaint();
        QTest::keyClick(&editor, Qt::Key_Backspace);
        grid.repaint();
    }) / 2;
    const double focusToLastLineMicroseconds = MedianMilliseconds(5, [&] {
        tape.SetFocusLine(tape.LastLine() - 1);
        tape.SetFocusLine(tape.LastLine());
    }) / 2 * 1000;
    // Enter on a typed number at the end of the series: the entry is committed, the series
    // totalled, the requests run and the grid repaints. Each repetition adds three lines; from
    // the second on, the total before it becomes a subtotal.
    const double enterKey = MedianMilliseconds(
        5,
        [&] {
            QTest::keyClick(&editor, Qt::Key_Return);
            QCoreApplication::processEvents();
            grid.repaint();
        },
        [&] {
            QTest::keyClick(&editor, Qt::Key_5);
            QCoreApplication::processEvents();
        });
    const double middleInsert = MedianMilliseconds(5, [&] {
        lines.InsertLines(lines.LineCount() / 2, 1);
        grid.SyncFromTape();
        grid.repaint();
    });
    const double pageUp = MedianMilliseconds(5, [&] {
        grid.verticalScrollBar()->setValue(lines.LineCount() / 3);
        grid.repaint();
    });

    std::printf("| %9d | %9.1f | %8.1f | %9.2f | %9.2f | %10.2f | %9.2f | %10.1f |\n", lineCount,
                build, open, typeDigit, enterKey, middleInsert, pageUp, focusToLastLineMicroseconds);
    grid.AttachTape(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::stoi(argv[i]));
    if (sizes.empty()) sizes = {1000, 100000, 1000000};
    std::printf("| Lines | Build (ms) | Open (ms) | Type a key (ms) | Enter at the end (ms) "
                "| Insert in middle (ms) | Scroll (ms) | Tape: focus to a line (µs) |\n");
    std::printf("|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (int size : sizes) Measure(size);
    return 0;
}
