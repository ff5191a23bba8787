#include "adfile/ad_file.h"
#include "adfile/recovery.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_program.h"
#include "core/text_file.h"
#include "settings/template_commands.h"
#include "tests/app/app_fixture.h"
#include "tests/testlib/child_program.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

using T = AdRecord::Text;
using E = AdRecord::Effect;

qint64 monotonicMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The whole program as a seller starts it, in a process of its own: it opens the ad $LW_TEST_AD names
// (if any) and types into the description, one "x" every 50 ms, printing how many it has typed and
// when, until it is killed.
int typingProgram()
{
    WindowProgram program;
    program.start(qEnvironmentVariable("LW_TEST_AD"));
    if (!QTest::qWaitFor([&] { return program.state().templates.selectedIndex() >= 0; }, 20000))
        return 2;
    auto* box = program.window().findChild<QPlainTextEdit*>(u"txtDescription"_s);
    box->moveCursor(QTextCursor::End);
    for (int typed = 1;; ++typed) {
        QTest::keyClick(box, Qt::Key_X, Qt::NoModifier);
        std::printf("%d %lld\n", typed, monotonicMs());
        std::fflush(stdout);
        QTest::qWait(50);
    }
}
const bool registered = registerChild("typing", &typingProgram);

unsigned mode(const QString& path)
{
    struct stat st
    {
    };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Each test keeps its copies in a state folder of its own.
class RecoveryCopies : public AppProgram
{
protected:
    void SetUp() override
    {
        AppProgram::SetUp();
        m_stateHome = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", m_state.path().toUtf8());
        start();
    }
    void TearDown() override { qputenv("XDG_STATE_HOME", m_stateHome); }

    std::unique_ptr<Recovery> started()
    {
        auto r = std::make_unique<Recovery>(state, program.files(), ds);
        EXPECT_TRUE(r->start());
        return r;
    }
    // An edit, and its copy on the disk.
    bool edited(Recovery& r, const QString& title)
    {
        ad().setText(T::Title, title);
        return QTest::qWaitFor([&] { return readTextLines(r.copyPath()).lines.value(0) == title; });
    }
    QStringList copies() const
    {
        return QDir(Recovery::defaultFolder()).entryList({u"*.zad"_s}, QDir::Files);
    }

    QTemporaryDir m_state;
    QByteArray m_stateHome;
};

// The copy lives while the ad has changes the seller has not decided about.
TEST_F(RecoveryCopies, ACopyIsKeptUntilTheSellerDecidesAboutTheChanges)
{
    const std::vector<std::pair<const char*, std::function<void(std::unique_ptr<Recovery>&)>>> decisions = {
        {"saved",
         [&](auto&) {
             ds.queueSaveFile(install.file(u"lamp.zad"_s));
             program.files().mnuFileSaveAs_Click();
         }},
        {"No to Save Changes?",
         [&](auto&) {
             ds.queueMessageAnswer(MsgResult::No);
             program.files().mnuFileNew_Click();
         }},
        {"window closed", [&](auto& r) { r->discard(); }},
        {"ended without asking", [&](auto& r) { r.reset(); }},
    };
    for (const auto& [name, decide] : decisions) {
        SCOPED_TRACE(name);
        QDir(Recovery::defaultFolder()).removeRecursively();
        auto r = started();
        ASSERT_TRUE(edited(*r, QString::fromLatin1(name)));
        const QString copy = r->copyPath();
        EXPECT_EQ(mode(Recovery::defaultFolder()), 0700u);
        EXPECT_EQ(mode(copy), 0600u);
        const QStringList lines = readTextLines(copy).lines;
        EXPECT_EQ(lines.mid(0, 55), adFileFromState(state).toLines());
        EXPECT_EQ(lines.value(55), state.file.currentAdPath);
        EXPECT_TRUE(QDateTime::fromString(lines.value(56), Qt::ISODate).isValid());
        decide(r);
        r.reset();
        EXPECT_EQ(QFileInfo::exists(copy), std::string_view(name) == "ended without asking");
    }
}

// Copies of programs that no longer run are offered, newest first; Later keeps one for the next
// start, Discard deletes it, Restore brings the whole ad back, bound to its file and unsaved. The copy
// of a program that still runs is never offered.
TEST_F(RecoveryCopies, CopiesOfEndedProgramsAreOfferedRestoredDiscardedOrKeptForLater)
{
    // Other programs of the seller's, each with its own ad.
    struct Other
    {
        explicit Other(ScriptedDesktopServices& ds) : program(state, ds) { program.startup({}); }
        SharedState state;
        Program program;
    };
    auto run = [this](Other& other, const QString& title) {
        auto r = std::make_unique<Recovery>(other.state, other.program.files(), ds);
        EXPECT_TRUE(r->start());
        other.state.ad.setText(T::Title, title);
        EXPECT_TRUE(QTest::qWaitFor([&] { return readTextLines(r->copyPath()).lines.value(0) == title; }));
        return r;
    };
    // Ended unasked: an ad with pictures, another template, colours and effects, bound to its file.
    Other lamp(ds);
    lamp.state.templates.setSelectedIndex(14);
    DefaultColors(lamp.state, ds);
    ds.queueSaveFile(install.file(u"lamp.zad"_s));
    ASSERT_TRUE(lamp.program.files().mnuFileSaveAs_Click());
    lamp.state.pictures.setText(7, u"/home/seller/lamp.jpg"_s);
    lamp.state.ad.setColor(AdRecord::Color::Title, ColorPair::fromValue(0xFF));
    lamp.state.ad.setEffect(E::TitleScrollB, true);
    run(lamp, u"Brass lamp"_s).reset();
    const QStringList wanted = adFileFromState(lamp.state).toLines();
    // Ended later, never saved.
    Other vase(ds);
    QTest::qWait(5);
    run(vase, u"Vase"_s).reset();
    // Still running.
    Other beside(ds);
    const auto running = run(beside, u"Beside"_s);
    ASSERT_EQ(copies().size(), 3);

    auto next = started();
    const QString prefix = u"Listwright closed before you saved the ad you were working on ("_s;
    const struct
    {
        std::vector<MsgResult> answers;
        QStringList about;
        int left;
    } rounds[] = {
        {{MsgResult::Cancel, MsgResult::Cancel}, {u"New File"_s, u"lamp.zad"_s}, 3},
        {{MsgResult::No, MsgResult::Yes}, {u"New File"_s, u"lamp.zad"_s}, 2},
        {{}, {}, 2},
    };
    for (const auto& round : rounds) {
        ds.clearRecords();
        for (MsgResult answer : round.answers)
            ds.queueMessageAnswer(answer);
        next->offerCopies();
        QStringList about;
        for (const auto& m : ds.messages()) {
            EXPECT_TRUE(m.text.startsWith(prefix) && m.text.endsWith(u"). Restore it?"_s))
                << m.text.toStdString();
            about << m.text.mid(prefix.size()).section(u',', 0, 0);
        }
        EXPECT_EQ(about, round.about);
        EXPECT_EQ(copies().size(), round.left) << "the running program's, and this one's once restored";
    }
    EXPECT_EQ(adFileFromState(state).toLines(), wanted);
    EXPECT_EQ(state.file.currentAdPath, install.file(u"lamp.zad"_s));
    EXPECT_EQ(state.caption(), u"Listwright - [lamp.zad]");
    EXPECT_TRUE(ad().adChanged());
    EXPECT_EQ(readTextLines(next->copyPath()).lines.mid(0, 55), wanted);
}

// A program killed while the seller types: the next start offers what was typed up to two seconds
// before, and the copy of a program still running beside it is not offered.
TEST_F(RecoveryCopies, AKilledProgramsAdComesBackAtTheNextStart)
{
    AdFileData ad;
    ad.ad.title = u"Brass lamp"_s;
    ad.ad.effects[int(E::NoRightClick)] = true;
    ad.ad.titleColor = ColorPair::fromValue(0xFF);
    ad.templateIndex = 14;
    ad.pictures[8] = u"/home/seller/lamp.jpg"_s;
    ad.thumbWidth = u"200"_s;
    ad.thumbHeight = u"150"_s;
    install.writeLines(u"lamp.zad"_s, ad.toLines());

    QProcess killed, beside;
    QProcessEnvironment env;
    env.insert(u"LISTWRIGHT_HOME"_s, install.path());
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    startChild(beside, "typing", env);
    env.insert(u"LW_TEST_AD"_s, install.file(u"lamp.zad"_s));
    startChild(killed, "typing", env);
    ASSERT_TRUE(beside.waitForStarted() && killed.waitForStarted());
    // Typed and when, as the killed program reported it.
    QList<std::pair<int, qint64>> typed;
    QElapsedTimer waiting;
    waiting.start();
    while ((typed.isEmpty() || monotonicMs() - typed.first().second < 4000) && waiting.elapsed() < 60000) {
        killed.waitForReadyRead(100);
        while (killed.canReadLine()) {
            const QList<QByteArray> parts = killed.readLine().trimmed().split(' ');
            typed.append({parts.value(0).toInt(), parts.value(1).toLongLong()});
        }
    }
    ASSERT_FALSE(typed.isEmpty()) << killed.readAllStandardError().toStdString();
    ::kill(pid_t(killed.processId()), SIGKILL);
    const qint64 killedAt = monotonicMs();
    killed.waitForFinished();
    killed.setReadChannel(QProcess::StandardOutput);
    for (const QByteArray& line : killed.readAll().split('\n'))
        if (const QList<QByteArray> parts = line.trimmed().split(' '); parts.size() == 2)
            typed.append({parts[0].toInt(), parts[1].toLongLong()});
    int sure = 0; // typed two seconds before the kill
    for (const auto& [count, at] : typed)
        if (at <= killedAt - 2000)
            sure = count;
    ASSERT_GT(sure, 0);
    ASSERT_TRUE(beside.state() == QProcess::Running) << beside.readAllStandardError().toStdString();

    auto next = started();
    ds.queueMessageAnswer(MsgResult::Yes);
    next->offerCopies();
    beside.kill();
    beside.waitForFinished();
    ASSERT_EQ(ds.messages().size(), 1) << "only the killed program's copy";
    EXPECT_TRUE(ds.messages().first().text.contains(u"(lamp.zad, "_s));
    const QString description = state.ad.text(T::Description);
    EXPECT_GE(description.size(), sure);
    EXPECT_LE(description.size(), typed.last().first);
    EXPECT_EQ(description, QString(description.size(), u'x'));
    EXPECT_EQ(state.ad.text(T::Title), u"Brass lamp");
    EXPECT_TRUE(state.ad.effect(E::NoRightClick));
    EXPECT_EQ(state.ad.color(AdRecord::Color::Title).value, 0xFF);
    EXPECT_EQ(state.templates.selectedIndex(), 14);
    EXPECT_EQ(state.pictures.text(8), u"/home/seller/lamp.jpg");
    EXPECT_EQ(state.file.currentAdPath, install.file(u"lamp.zad"_s));
    EXPECT_TRUE(state.ad.adChanged());
}

} // namespace
} // namespace lw::test
