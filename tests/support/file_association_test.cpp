#include "core/text_file.h"
#include "support/file_association.h"
#include "tests/testlib/test_install.h"

#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

TEST(FileAssociation, WritesTheProgramAndTheDefaultInTheirFileFormats)
{
    const std::pair<QString, QString> exec[] = {
        {u"/opt/lw/Listwright"_s, u"/opt/lw/Listwright"_s},
        {u"/my ads/100%/$HOME\\x\"y"_s, u"\"/my ads/100%%/\\\\$HOME\\\\\\\\x\\\\\"y\""_s},
        {u"/a\nb"_s, {}},
    };
    for (const auto& [path, line] : exec)
        EXPECT_EQ(desktopExecArgument(path), line) << path.toStdString();

    const QString type = u"application/x-listwright"_s, entry = type + u"=listwright.desktop"_s;
    const std::pair<QString, QString> lists[] = {
        {{}, u"[Default Applications]\n"_s + entry + u'\n'},
        {u"[Added Associations]\nx/y=a;"_s,
         u"[Added Associations]\nx/y=a;\n[Default Applications]\n"_s + entry + u'\n'},
        {u"[Default Applications]\nx/y=a\n"_s + type + u" = other.desktop\n[Other]\n"_s,
         u"[Default Applications]\nx/y=a\n"_s + entry + u"\n[Other]\n"_s},
        {u"[Default Applications]\nx/y=a\n\n[Other]\n"_s + entry,
         u"[Default Applications]\n"_s + entry + u"\nx/y=a\n\n[Other]\n"_s + entry},
    };
    for (const auto& [before, after] : lists)
        EXPECT_EQ(withDefaultApplication(before, type, u"listwright.desktop"_s), after)
            << before.toStdString();
}

// Written into the test's own XDG folders, then read back as a file manager asks: xdg-mime.
TEST(FileAssociation, IsWhatXdgMimeResolvesAndIsLeftAloneWhenCurrent)
{
    const QTemporaryDir home;
    const QString data = home.filePath(u"data"_s), config = home.filePath(u"config"_s);
    qputenv("XDG_DATA_HOME", data.toUtf8());
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    const QString program = test::programPath(), install = QFileInfo(program).absolutePath();
    ASSERT_EQ(RegisterAssociation(program, install), AssociationResult::Written);

    auto xdgMime = [&](const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment env;
        for (const char* name : {"PATH", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            env.insert(QString::fromLatin1(name), qEnvironmentVariable(name));
        env.insert(u"HOME"_s, home.path());
        env.insert(u"XDG_DATA_DIRS"_s, u"/usr/share"_s);
        process.setProcessEnvironment(env);
        process.start(u"xdg-mime"_s, QStringList{u"query"_s} + arguments);
        EXPECT_TRUE(process.waitForFinished(30000)) << arguments.join(u' ').toStdString();
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    };
    ASSERT_TRUE(writeFileAtomic(home.filePath(u"lamp.zad"_s), "Brass lamp\r\n"));
    EXPECT_EQ(xdgMime({u"filetype"_s, home.filePath(u"lamp.zad"_s)}), u"application/x-listwright");
    EXPECT_EQ(xdgMime({u"default"_s, u"application/x-listwright"_s}), u"listwright.desktop");
    EXPECT_TRUE(QFileInfo::exists(data + u"/icons/hicolor/48x48/mimetypes/application-x-listwright.png"_s));

    const QDateTime written = QFileInfo(config + u"/mimeapps.list"_s).lastModified();
    EXPECT_EQ(RegisterAssociation(program, install), AssociationResult::Current);
    EXPECT_EQ(QFileInfo(config + u"/mimeapps.list"_s).lastModified(), written);
    // A folder that cannot be made (a file stands in its way) makes no noise, only the outcome.
    qputenv("XDG_CONFIG_HOME", (config + u"/mimeapps.list/config"_s).toUtf8());
    EXPECT_EQ(RegisterAssociation(program, install), AssociationResult::Failed);
}
