#include <gtest/gtest.h>

#include <QApplication>

#include "qt/QtServices.h"
#include "qt/FontSubstitutes.h"

// GUI tests need the application object before any widget; they run on the offscreen platform.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    quorvane::ensureIconTheme();
    quorvane::installFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
