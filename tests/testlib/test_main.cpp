#include "tests/testlib/test_install.h"

#ifdef LW_GUI_TEST
#include <QApplication>
#else
#include <QCoreApplication>
#endif

#include <gtest/gtest.h>

// Widget tests (LW_GUI_TEST) need a QApplication rather than a QCoreApplication.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
#ifdef LW_GUI_TEST
    // Test discovery runs this program outside CTest's environment; stay headless there too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
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
