#include "adfile/recovery.h"
#include "app/ui/submission_link.h"
#include "core/text_file.h"
#include "core/user_files.h"
#include "editor/speller.h"
#include "settings/template_commands.h"
#include "support/ui/window_places.h"
#include "tests/app/app_fixture.h"
#include "tests/testlib/disk_trouble.h"

#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

// Every file in a folder, by name, with its bytes.
QMap<QString, QByteArray> filesIn(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(folder + u'/' + name);
        if (name != u".filler" && file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

// Every file the program writes, on a disk that has filled up and in a folder that takes no new file
// (where writing over the file in place would still work): nothing in the folder changes, the seller
// reads which folder and why, and a start that follows, writing what is there already, writes nothing.
TEST_F(AppProgram, AFailedWriteChangesNoFileAndTellsTheSellerWhy)
{
    install.setLayout(InstallLayout::Installed);
    start();
    const QTemporaryDir ads;
    SubmissionLink link(program, ds, {});
    Speller speller(QStringList{});
    WindowPlaces places(WindowPlaces::defaultPath());
    std::unique_ptr<Recovery> recovery;
    int n = 0;
    auto told = [this] { return ds.messages().isEmpty() ? QString() : ds.messages().last().text; };
    auto title = [&] { ad().setText(AdRecord::Text::Title, QString::number(++n)); };
    const std::vector<std::pair<QString, std::function<QString()>>> writes = {
        {ads.filePath(u"lamp.zad"_s),
         [&] {
             title();
             if (state.file.currentAdPath.isEmpty())
                 ds.queueSaveFile(ads.filePath(u"lamp.zad"_s));
             program.files().mnuFileSave_Click();
             return told();
         }},
        {userFileToWrite(u"settings.txt"_s),
         [&] {
             prefs().setText(Preferences::Field::Email, QString::number(++n));
             cmdPrefOK_Click(state, program.preferencesWindow(), ds);
             return told();
         }},
        {userFileToWrite(u"eBaycfg.txt"_s),
         [&] {
             link.saveAccount({QString::number(++n), {}, {}});
             return told();
         }},
        {templateDataPath(state),
         [&] {
             ad().setColor(AdRecord::Color::Title, ColorPair::fromValue(++n));
             SaveTemplateSettings(state, ds);
             return told();
         }},
        {WindowPlaces::defaultPath(),
         [&] {
             QString why;
             places.setPosition(u"frmAbout"_s, {++n, 0});
             places.write(&why);
             return why;
         }},
        {Speller::defaultWordList(),
         [&] {
             QString why;
             speller.add(QString::number(++n), &why);
             return why;
         }},
        {Recovery::defaultFolder() + u"/copy"_s,
         [&] {
             if (!recovery) {
                 recovery = std::make_unique<Recovery>(state, program.files(), ds);
                 recovery->start();
             }
             QSignalSpy problem(recovery.get(), &Recovery::copyProblem);
             title();
             (void)QTest::qWaitFor([&] {
                 return !problem.isEmpty() ||
                        readTextLines(recovery->copyPath()).lines.value(0) == QString::number(n);
             });
             return problem.isEmpty() ? QString() : problem.last().value(0).toString();
         }},
    };
    QStringList skipped;
    for (const bool fullDisk : {true, false})
        for (const auto& [file, write] : writes) {
            SCOPED_TRACE(file.toStdString() + (fullDisk ? ": full disk" : ": no new files"));
            const QString folder = QFileInfo(file).absolutePath();
            QDir(folder).removeRecursively();
            std::optional<SmallDisk> disk;
            if (fullDisk)
                disk.emplace(folder);
            QDir().mkpath(folder);
            recovery.reset();
            ds.clearRecords();
            ASSERT_EQ(write(), QString());
            const QMap<QString, QByteArray> before = filesIn(folder);
            // The recovery folder is the program's own, made for the seller alone.
            if (!disk && recovery)
                continue;
            std::optional<NoCreateRights> locked;
            if (disk)
                disk->fill();
            else
                locked.emplace(folder);
            const QString why = disk ? disk->skip : locked->skip;
            if (!why.isEmpty()) {
                skipped << why;
                continue;
            }
            EXPECT_TRUE(write().contains(
                u"Nothing could be written in the folder "_s + folder + u": "_s +
                (disk ? u"the disk is full."_s : u"you may not create files in this folder."_s)));
            SharedState other;
            Program(other, ds).startup({});
            EXPECT_EQ(filesIn(folder), before);
        }
    if (recovery)
        recovery->discard();
    if (!skipped.isEmpty())
        GTEST_SKIP() << skipped.join(u"; "_s).toStdString();
}

} // namespace
} // namespace lw::test
