#include "adfile/ad_file.h"
#include "adfile/recovery.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_program.h"
#include "core/text_file.h"
#include "settings/template_commands.h"
#include "tests/app/app_fixture.h"

#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>

#include <chrono>
#include <csignal>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

using T = AdRecord::Text;

qint64 now()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The whole program in a process of its own, for the test below to kill: it keeps its copies in
// $LW_TEST_STATE, opens the ad $LW_TEST_AD names, if any, and types an "x" into the description every
// 50 ms, printing how many and when.
TEST(RecoveryProgram, DISABLED_TypesUntilKilled)
{
    qputenv("XDG_STATE_HOME", qgetenv("LW_TEST_STATE"));
    WindowProgram program;
    program.start(qEnvironmentVariable("LW_TEST_AD"));
    (void)QTest::qWaitFor([&] { return program.state().templates.selectedIndex() >= 0; }, 20000);
    for (int typed = 1;; ++typed) {
        QTest::keyClick(program.window().findChild<QPlainTextEdit*>(u"txtDescription"_s), Qt::Key_X);
        std::printf("%d %lld\n", typed, now());
        std::fflush(stdout);
        QTest::qWait(50);
    }
}

// Each test keeps its copies in a state folder of its own.
class RecoveryCopies : public AppProgram
{
protected:
    void SetUp() override
    {
        AppProgram::SetUp();
        qputenv("XDG_STATE_HOME", m_folder.path().toUtf8());
        start();
    }
    // A program's copies: they follow the edits of `s`.
    std::unique_ptr<Recovery> started(SharedState& s, Program& p)
    {
        auto r = std::make_unique<Recovery>(s, p.files(), ds);
        EXPECT_TRUE(r->start());
        return r;
    }
    // An edit of the title, and its copy on the disk.
    void edit(SharedState& s, Recovery& r, const QString& title)
    {
        s.ad.setText(T::Title, title);
        EXPECT_TRUE(QTest::qWaitFor([&] { return readTextLines(r.copyPath()).lines.value(0) == title; }));
    }
    qsizetype copies() const { return QDir(Recovery::defaultFolder()).entryList({u"*.zad"_s}).size(); }

    QTemporaryDir m_folder;
};

// The copy is the ad file's lines, the file it belongs to and when; it lives until the seller decides.
TEST_F(RecoveryCopies, ACopyIsKeptUntilTheSellerDecidesAboutTheChanges)
{
    const std::pair<const char*, std::function<void(std::unique_ptr<Recovery>&)>> decisions[] = {
        {"saved",
         [&](auto&) {
             ds.queueSaveFile(install.file(u"lamp.zad"_s));
             program.files().mnuFileSaveAs_Click();
         }},
        {"discarded",
         [&](auto&) {
             ds.queueMessageAnswer(MsgResult::No);
             program.files().mnuFileNew_Click();
         }},
        {"closed", [&](auto& r) { r->discard(); }},
        {"ended unasked", [&](auto&) {}},
    };
    for (const auto& [name, decide] : decisions) {
        auto r = started(state, program);
        edit(state, *r, QString::fromLatin1(name));
        const QStringList lines = readTextLines(r->copyPath()).lines;
        EXPECT_EQ(lines.mid(0, 55), adFileFromState(state).toLines());
        EXPECT_EQ(lines.value(55), state.file.currentAdPath);
        EXPECT_TRUE(QDateTime::fromString(lines.value(56), Qt::ISODateWithMs).isValid());
        // Only the seller may enter the folder and read the copy.
        const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                            QFile::WriteOther | QFile::ExeOther;
        EXPECT_FALSE(QFileInfo(Recovery::defaultFolder()).permissions() & others);
        EXPECT_FALSE(QFileInfo(r->copyPath()).permissions() & others);
        const QString copy = r->copyPath();
        decide(r);
        r.reset();
        EXPECT_EQ(QFileInfo::exists(copy), std::string_view(name) == "ended unasked") << name;
        QFile::remove(copy);
    }
}

// The copies of programs that ended are offered newest first: Later keeps one for the next start,
// Discard deletes it, Restore brings the whole ad back, bound to its file and unsaved.
TEST_F(RecoveryCopies, CopiesOfEndedProgramsAreRestoredDiscardedOrKeptForLater)
{
    SharedState lamp, vase;
    Program lampProgram(lamp, ds), vaseProgram(vase, ds);
    lampProgram.startup({});
    vaseProgram.startup({});
    lamp.templates.setSelectedIndex(14);
    DefaultColors(lamp, ds);
    ds.queueSaveFile(install.file(u"lamp.zad"_s));
    ASSERT_TRUE(lampProgram.files().mnuFileSaveAs_Click());
    lamp.pictures.setText(7, u"/home/seller/lamp.jpg"_s);
    lamp.ad.setColor(AdRecord::Color::Title, ColorPair::fromValue(0xFF));
    lamp.ad.setEffect(AdRecord::Effect::TitleScrollB, true);
    edit(lamp, *started(lamp, lampProgram), u"Lamp"_s);
    edit(vase, *started(vase, vaseProgram), u"Vase"_s);

    auto next = started(state, program);
    const std::tuple<MsgResult, MsgResult, QString, qsizetype> rounds[] = {
        {MsgResult::Cancel, MsgResult::Cancel, u"(New File, |(lamp.zad, "_s, 2},
        {MsgResult::No, MsgResult::Yes, u"(New File, |(lamp.zad, "_s, 1},
        {MsgResult::Ok, MsgResult::Ok, {}, 1}};
    for (const auto& [first, second, about, left] : rounds) {
        ds.clearRecords();
        ds.queueMessageAnswer(first);
        ds.queueMessageAnswer(second);
        next->offerCopies();
        QStringList asked;
        for (const auto& m : ds.messages())
            asked << m.text.section(u"working on "_s, 1).section(u')', 0, 0).section(u',', 0, 0) + u", "_s;
        EXPECT_EQ(asked.join(u'|'), about);
        EXPECT_EQ(copies(), left);
    }
    EXPECT_EQ(adFileFromState(state).toLines(), adFileFromState(lamp).toLines());
    EXPECT_EQ(state.caption(), u"Listwright - [lamp.zad]");
    EXPECT_EQ(state.file.currentAdPath, install.file(u"lamp.zad"_s));
    EXPECT_TRUE(ad().adChanged());
    EXPECT_EQ(readTextLines(next->copyPath()).lines.mid(0, 55), adFileFromState(lamp).toLines());
}

// A program killed while the seller types: the next start offers what was typed up to two seconds
// before the kill; a program still running beside it keeps its copy to itself.
TEST_F(RecoveryCopies, AKilledProgramsAdComesBackAtTheNextStart)
{
    install.writeLines(u"lamp.zad"_s, adFileFromState(state).toLines());
    QProcess killed, beside;
    qputenv("LISTWRIGHT_HOME", install.path().toUtf8());
    qputenv("LW_TEST_STATE", m_folder.path().toUtf8());
    const QStringList typing = {u"--gtest_also_run_disabled_tests"_s, u"--gtest_filter=RecoveryProgram.*"_s};
    beside.start(QCoreApplication::applicationFilePath(), typing);
    qputenv("LW_TEST_AD", install.file(u"lamp.zad"_s).toUtf8());
    killed.start(QCoreApplication::applicationFilePath(), typing);
    ASSERT_TRUE(beside.waitForStarted() && killed.waitForStarted());
    QList<std::pair<int, qint64>> typed; // how many, and when
    auto read = [&] {
        while (killed.canReadLine())
            if (const QList<QByteArray> parts = killed.readLine().split(' '); parts.value(0).toInt() > 0)
                typed.append({parts[0].toInt(), parts.value(1).trimmed().toLongLong()});
    };
    const qint64 begin = now();
    while ((typed.isEmpty() || now() - typed.first().second < 4000) && now() - begin < 60000 &&
           killed.waitForReadyRead(5000))
        read();
    ASSERT_FALSE(typed.isEmpty()) << killed.readAllStandardError().toStdString();
    ::kill(pid_t(killed.processId()), SIGKILL);
    const qint64 killedAt = now();
    killed.waitForFinished();
    read();
    int sure = 0;
    for (const auto& [count, at] : typed)
        if (at <= killedAt - 2000)
            sure = count;
    ASSERT_GT(sure, 0);

    ds.queueMessageAnswer(MsgResult::Yes);
    started(state, program)->offerCopies();
    EXPECT_EQ(beside.state(), QProcess::Running);
    beside.kill();
    beside.waitForFinished();
    ASSERT_EQ(ds.messages().size(), 1);
    EXPECT_TRUE(ds.messages().first().text.contains(u"(lamp.zad, "_s));
    const QString description = ad().text(T::Description);
    EXPECT_GE(description.size(), sure);
    EXPECT_LE(description.size(), typed.last().first);
    EXPECT_EQ(description, QString(description.size(), u'x'));
}

} // namespace
} // namespace lw::test
