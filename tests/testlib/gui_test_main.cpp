#include <QApplication>

#include <gtest/gtest.h>

// Widget tests need a QApplication rather than the shared QCoreApplication main.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery runs this program outside CTest's environment; stay headless there too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
