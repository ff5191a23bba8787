#include "adfile/recovery.h"
#include "app/ui/submission_link.h"
#include "core/user_files.h"
#include "editor/speller.h"
#include "settings/template_commands.h"
#include "support/ui/window_places.h"
#include "tests/app/app_fixture.h"
#include "tests/testlib/disk_trouble.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <optional>
#include <string_view>

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

using F = Preferences::Field;

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Every file the program writes, on a disk that has filled up and in a folder that takes no new file
// (though the file itself could be written over): the file keeps the bytes it had, nothing is left
// beside it, and the seller reads which folder and why.
class FileSafety : public AppProgram
{
protected:
    void SetUp() override
    {
        AppProgram::SetUp();
        // The seller's files in their own folders, apart from the templates.
        install.setLayout(InstallLayout::Installed);
        start();
    }

    struct Row
    {
        const char* name;
        QString file;
        // Makes the program write the file, with something new in it each time; answers what the
        // seller was told.
        std::function<QString()> write;
    };

    QString lastMessage() const { return ds.messages().isEmpty() ? QString() : ds.messages().last().text; }

    QTemporaryDir m_ads;
};

TEST_F(FileSafety, AFailedWriteChangesNoFileAndTellsTheSellerWhy)
{
    SubmissionLink link(program, ds, {[] {}, [] {}, [] {}});
    Speller speller({}, Speller::defaultWordList());
    WindowPlaces places(WindowPlaces::defaultPath());
    std::unique_ptr<Recovery> recovery;
    int round = 0;
    const std::vector<Row> rows = {
        {"ad", m_ads.filePath(u"lamp.zad"_s),
         [&] {
             ad().setText(AdRecord::Text::Title, u"Lamp "_s + QString::number(++round));
             if (state.file.currentAdPath.isEmpty())
                 ds.queueSaveFile(m_ads.filePath(u"lamp.zad"_s));
             program.files().mnuFileSave_Click();
             return lastMessage();
         }},
        {"settings", userFileToWrite(u"settings.txt"_s),
         [&] {
             prefs().setText(F::Email, u"seller%1@example.com"_s.arg(++round));
             cmdPrefOK_Click(state, program.preferencesWindow(), ds);
             return lastMessage();
         }},
        {"submission account", userFileToWrite(u"eBaycfg.txt"_s),
         [&] {
             link.saveAccount({u"seller%1"_s.arg(++round), {}, {}, false});
             return lastMessage();
         }},
        {"template data", templateDataPath(state),
         [&] {
             ad().setColor(AdRecord::Color::Title, ColorPair::fromValue(++round));
             SaveTemplateSettings(state, ds);
             return lastMessage();
         }},
        {"window places", WindowPlaces::defaultPath(),
         [&] {
             places.setPosition(u"frmAbout"_s, {++round, 1});
             QString error;
             places.write(&error);
             return error;
         }},
        {"word list", Speller::defaultWordList(),
         [&] {
             QString error;
             speller.add(u"Zorbly%1"_s.arg(++round), &error);
             return error;
         }},
        {"recovery copy", Recovery::defaultFolder() + u"/copy.zad"_s,
         [&] {
             if (!recovery) {
                 recovery = std::make_unique<Recovery>(state, program.files(), ds);
                 recovery->start();
             }
             QSignalSpy problem(recovery.get(), &Recovery::copyProblem);
             const QByteArray before = contents(recovery->copyPath());
             ad().setText(AdRecord::Text::Title, u"Lamp "_s + QString::number(++round));
             // Written, or given up with a problem to tell.
             QTest::qWaitFor([&] { return !problem.isEmpty() || contents(recovery->copyPath()) != before; });
             return problem.isEmpty() ? QString() : problem.last().value(0).toString();
         }},
    };

    QStringList skipped;
    for (const bool fullDisk : {true, false}) {
        for (const Row& row : rows) {
            SCOPED_TRACE(std::string(row.name) + (fullDisk ? ", full disk" : ", no new files"));
            ds.clearRecords();
            QString file = row.file;
            const QString folder = QFileInfo(file).absolutePath();
            QDir(folder).removeRecursively();
            std::optional<SmallDisk> disk;
            if (fullDisk) {
                disk.emplace(folder);
                if (!disk->skip.isEmpty()) {
                    skipped << disk->skip;
                    break;
                }
            }
            QDir().mkpath(folder);
            recovery.reset();
            ASSERT_TRUE(row.write().isEmpty());
            if (recovery)
                file = recovery->copyPath();
            const QByteArray before = contents(file);
            const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden);
            std::optional<NoCreateRights> locked;
            if (disk) {
                disk->fill();
            } else if (recovery) {
                continue; // written on a thread that keeps the rights root has
            } else {
                locked.emplace(folder);
                if (!locked->skip.isEmpty()) {
                    skipped << locked->skip;
                    break;
                }
            }
            const QString told = row.write();
            EXPECT_TRUE(told.contains(
                u"Nothing could be written in the folder "_s + folder + u": "_s +
                (fullDisk ? u"the disk is full."_s : u"you may not create files in this folder."_s)))
                << told.toStdString();
            EXPECT_EQ(contents(file), before);
            if (std::string_view(row.name) == "ad") {
                EXPECT_TRUE(ad().adChanged()) << "closing must still offer to save";
            }
            QStringList now = QDir(folder).entryList(QDir::Files | QDir::Hidden);
            now.removeAll(u".filler"_s);
            EXPECT_EQ(now, entries);
        }
    }
    if (recovery)
        recovery->discard();
    recovery.reset();
    if (!skipped.isEmpty())
        GTEST_SKIP() << skipped.join(u"; "_s).toStdString();
}

} // namespace
} // namespace lw::test
