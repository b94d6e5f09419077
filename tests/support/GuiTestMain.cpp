#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    // Screens are tested headless whatever the caller's environment says.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
