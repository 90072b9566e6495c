// Runs every registered Qt Test class; the exit code is non-zero when any test failed.
#include <QApplication>
#include <QTest>

#include "ui_test_registry.h"

namespace tally::test {

std::vector<TUiTestFactory>& UiTestClasses() {
    static std::vector<TUiTestFactory> classes;
    return classes;
}

}  // namespace tally::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    for (const auto& make : tally::test::UiTestClasses()) {
        const std::unique_ptr<QObject> tests = make();
        failed += QTest::qExec(tests.get(), argc, argv);
    }
    return failed == 0 ? 0 : 1;
}
