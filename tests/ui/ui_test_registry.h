#pragma once
// The Qt Test classes of the test_ui program: each file registers its class, and the program's
// main runs them one after the other under one QApplication.

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace tally::test {

using TUiTestFactory = std::function<std::unique_ptr<QObject>()>;

std::vector<TUiTestFactory>& UiTestClasses();

template <class TestClass>
struct TRegisterUiTest {
    TRegisterUiTest() { UiTestClasses().push_back([] { return std::make_unique<TestClass>(); }); }
};

}  // namespace tally::test

#define TALLY_REGISTER_UI_TEST(TestClass) \
    static const ::tally::test::TRegisterUiTest<TestClass> registered##TestClass
