#include "tests/testlib/test_install.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

// The started program has not mapped the browser engine nor the picture engine: their modules are
// loaded only when first needed.
TEST(StartupMaps, NoWebEngineLibraryIsMappedAfterStartUp)
{
    TestInstall install;
    QTemporaryDir xdg;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"LISTWRIGHT_HOME"_s, install.path());
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    env.insert(u"XDG_DATA_HOME"_s, xdg.filePath(u"data"_s));
    env.insert(u"XDG_CONFIG_HOME"_s, xdg.filePath(u"config"_s));
    program.setProcessEnvironment(env);
    program.start(programPath(), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    // eBaycfg.txt is written by the last steps of the start-up.
    const bool started =
        QTest::qWaitFor([&] { return QFileInfo::exists(install.file(u"eBaycfg.txt"_s)); }, 20000);
    QTest::qWait(500);
    QFile maps(u"/proc/"_s + QString::number(program.processId()) + u"/maps"_s);
    const bool opened = maps.open(QIODevice::ReadOnly);
    const QByteArray mapped = maps.readAll();
    program.kill();
    program.waitForFinished(5000);
    ASSERT_TRUE(started);
    ASSERT_TRUE(opened);
    EXPECT_TRUE(mapped.contains("libQt6Widgets"));
    EXPECT_FALSE(mapped.contains("libQt6WebEngine"));
    EXPECT_FALSE(mapped.contains("lw_browser"));
    EXPECT_FALSE(mapped.contains("libvips"));
    EXPECT_FALSE(mapped.contains("lw_picture_engine"));
}

} // namespace
} // namespace lw::test
