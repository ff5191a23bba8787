#include "adfile/ad_file.h"
#include "app/command_line.h"
#include "core/hosts.h"
#include "settings/settings_file.h"
#include "tests/testlib/test_install.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;
using namespace lw::test;

namespace {

struct ProgramRun
{
    int status = -1;
    QByteArray out;
    QString err;
};

// Runs the program as the acceptance checks do: its own installation folder, no display.
ProgramRun runProgram(const TestInstall& install, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"LISTWRIGHT_HOME"_s, install.path());
    env.remove(u"QT_QPA_PLATFORM"_s);
    env.remove(u"DISPLAY"_s);
    process.setProcessEnvironment(env);
    process.start(programPath(), arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

// A minimal ad, as the program itself would save it.
QStringList adLines(const QString& title, const QString& description)
{
    AdFileData d;
    d.title = title;
    d.description = description;
    d.titleSize = u"5"_s;
    d.subTitleSize = u"4"_s;
    d.descriptionSize = u"3"_s;
    d.includeOptional = false;
    for (QString& v : d.tableColorValues)
        v = u"0"_s;
    d.pounds = u"2"_s;
    d.ounces = u"0"_s;
    return d.toLines();
}

} // namespace

TEST(AppCommandLine, ParsesTheContract)
{
    using M = CommandLine::Mode;
    EXPECT_EQ(parseCommandLine({}).mode, M::Window);
    EXPECT_EQ(parseCommandLine({u"ad.zad"_s}).adFile, u"ad.zad");
    const CommandLine both = parseCommandLine({u"--generate"_s, u"--preview"_s, u"ad.zad"_s});
    EXPECT_EQ(both.mode, M::Generate);
    EXPECT_TRUE(both.preview);
    EXPECT_EQ(both.adFile, u"ad.zad");
    EXPECT_EQ(parseCommandLine({u"--preview"_s}).mode, M::UsageError);
    EXPECT_EQ(parseCommandLine({u"--generate"_s, u"a.zad"_s, u"b.zad"_s}).mode, M::UsageError);
    EXPECT_EQ(parseCommandLine({u"--frobnicate"_s}).mode, M::UsageError);
    EXPECT_EQ(parseCommandLine({u"--generate"_s, u"--"_s, u"-odd.zad"_s}).adFile, u"-odd.zad");
    const CommandLine qt = parseCommandLine({u"-platform"_s, u"offscreen"_s, u"-reverse"_s, u"ad.zad"_s});
    EXPECT_EQ(qt.mode, M::Window);
    EXPECT_EQ(qt.adFile, u"ad.zad");
}

TEST(AppCommandLine, GeneratesToStandardOutput)
{
    TestInstall install;
    install.writeLines(u"lamp.zad"_s, adLines(u"Brass [L][a][m][p]"_s, u"Line one<BR>Line two"_s));

    const ProgramRun generated = runProgram(install, {u"--generate"_s, install.file(u"lamp.zad"_s)});
    ASSERT_EQ(generated.status, 0) << generated.err.toStdString();
    const QString page = QString::fromUtf8(generated.out);
    const QString web = Hosts().makerPictureFolder();
    EXPECT_TRUE(page.contains(u"Brass <img src = \""_s + web + u"L1.gif\">"_s));
    EXPECT_TRUE(page.contains(u"Line one<BR>Line two"_s));
    EXPECT_TRUE(page.contains(u"Ad Created With Listwright 2.3.2"_s));
    EXPECT_FALSE(page.contains(u"{TITLE}"_s));
    EXPECT_TRUE(generated.out.endsWith("</div>\r\n")) << "the page as the template ends, nothing added";
    EXPECT_TRUE(generated.err.startsWith(u"Your Ad Has Been Generated!: Your ad has been copied"_s));

    const ProgramRun previewed =
        runProgram(install, {u"--generate"_s, u"--preview"_s, install.file(u"lamp.zad"_s)});
    ASSERT_EQ(previewed.status, 0);
    EXPECT_TRUE(previewed.err.isEmpty()) << previewed.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(previewed.out).contains(install.path() + u"/icons/emt/L1.gif"_s));
    EXPECT_FALSE(QFileInfo::exists(QDir::tempPath() + u"/AdPreview.html"_s) &&
                 QFileInfo(QDir::tempPath() + u"/AdPreview.html"_s)
                         .lastModified()
                         .secsTo(QDateTime::currentDateTime()) < 2);

    // Without an ad file the new, empty ad is generated.
    EXPECT_EQ(runProgram(install, {u"--generate"_s}).status, 0);
}

TEST(AppCommandLine, ReportsWhatStopsTheAd)
{
    TestInstall install;
    ProgramRun r = runProgram(install, {u"--generate"_s, install.file(u"missing.zad"_s)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, u"Invalid Filename: You have entered an invalid filename.\n");
    EXPECT_TRUE(r.out.isEmpty());

    install.write(u"broken.zad"_s, "only\r\nthree\r\nlines\r\n");
    r = runProgram(install, {u"--generate"_s, install.file(u"broken.zad"_s)});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(u"Invalid Ad File: "_s)) << r.err.toStdString();

    EXPECT_EQ(runProgram(install, {u"--generate"_s, u"--bogus"_s}).status, 2);
    EXPECT_EQ(runProgram(install, {u"--help"_s}).status, 0);
    const ProgramRun version = runProgram(install, {u"--version"_s});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith("Listwright 2.3.2"));
}

TEST(AppCommandLine, PreferencesDecideUploadAndWeightChecks)
{
    TestInstall install;
    QStringList settings = firstRunSettingsLines(install.path());
    settings[13] = u"ftp.example"_s; // server
    settings[14] = u"seller"_s;
    settings[15] = u"\u0080\u0081\u0082q83K2vbW7"_s; // "qrs" shifted
    settings[18] = u"1"_s;                           // FTP upload on
    settings[19] = u"http://pics.example/"_s;
    install.writeLines(u"settings.txt"_s, settings);
    install.writeLines(u"lamp.zad"_s, adLines(u"Lamp"_s, {}));

    ProgramRun r = runProgram(install, {u"--generate"_s, install.file(u"lamp.zad"_s)});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(u"Error In Ad Generation: "_s)) << r.err.toStdString();
    EXPECT_EQ(runProgram(install, {u"--generate"_s, u"--preview"_s, install.file(u"lamp.zad"_s)}).status, 0);

    // Calculator on, weight missing: refused before generating.
    settings = firstRunSettingsLines(install.path());
    settings[21] = u"1"_s;
    settings[22] = u"12345"_s;
    install.writeLines(u"settings.txt"_s, settings);
    QStringList ad = adLines(u"Lamp"_s, {});
    ad[53] = u"x"_s;
    ad[54] = u"y"_s;
    install.writeLines(u"heavy.zad"_s, ad);
    r = runProgram(install, {u"--generate"_s, u"--preview"_s, install.file(u"heavy.zad"_s)});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.startsWith(u"Error: Item weight invalid: "_s)) << r.err.toStdString();
    r = runProgram(install, {u"--generate"_s, u"--preview"_s, install.file(u"lamp.zad"_s)});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(
        QString::fromUtf8(r.out).contains(u"name=OZ value=12345><input type=hidden name=P value=2>"_s));
}
