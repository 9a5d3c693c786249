#include "QtDriverTest.h"

#include "resources/VeltranResources.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace qttest {

namespace {

int argc = 1;
char name[] = "veltran_qt_tests";
char* argv[] = {name, nullptr};

class QtEnvironment final : public testing::Environment {
public:
    void SetUp() override {
        driver = std::make_unique<platform::qt::QtDriver>(argc, argv);
        platform::installDriver(driver.get());
        platform::setResources(&veltranResources());
    }
    void TearDown() override {
        platform::setResources(nullptr);
        driver.reset();
    }
    std::unique_ptr<platform::qt::QtDriver> driver;
};

QtEnvironment* const environment =
    static_cast<QtEnvironment*>(testing::AddGlobalTestEnvironment(new QtEnvironment));

} // namespace

platform::qt::QtDriver& qtDriver() {
    return *environment->driver;
}

platform::qt::DialogView& viewOf(CDialog& dialog) {
    return *qtDriver().view(*dialog.dialogWindow());
}

platform::Window& control(CDialog& dialog, int id) {
    return *dialog.dialogWindow()->control(id);
}

QWidget& widgetOf(CDialog& dialog, int id) {
    return *viewOf(dialog).widgetOf(control(dialog, id));
}

void open(CDialog& dialog) {
    ASSERT_TRUE(dialog.Create());
    QWidget& view = viewOf(dialog);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
}

} // namespace qttest
