#include "tests/testlib/test_install.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Widget tests need a QApplication rather than the shared QCoreApplication main.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery runs this program outside CTest's environment; stay headless there too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QApplication app(argc, argv);
    // No test reads or writes the user's own data and settings folders.
    const QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_STATE_HOME", home.filePath(QStringLiteral("state")).toUtf8());
    // Nor the user's own keyring: no session bus, unless the program runs with a keyring of its own.
    if (qEnvironmentVariableIsEmpty("LW_TEST_KEYRING"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", lw::test::NoSessionBus);
    return RUN_ALL_TESTS();
}
