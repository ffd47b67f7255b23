#include "mainwindow/accessibleboard.h"
#include "platform/colorscheme.h"
#include "platform/screen.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::applyClassicLook(app);
    accessibility::install();
    // The designed layout unless a test asks for a lower screen.
    platform::setScreenHeightOverride(1024);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
