// Typing into a 2 MB description in the whole program's window, with recovery copies kept and
// without: how long each keystroke waits, from the key reaching the program until it and everything
// queued before it (a recovery snapshot, a repaint) has been handled.
// Usage: bench_keystroke [KEYSTROKES]   (QT_QPA_PLATFORM defaults to offscreen)

#include "adfile/ad_file.h"
#include "adfile/file_commands.h"
#include "adfile/recovery.h"
#include "app/ui/frm_main.h"
#include "app/ui/window_program.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QString description()
{
    const QString line = u"A brass lamp in fine working order, with its original shade.\r\n"_s;
    QString text;
    text.reserve(2 * 1024 * 1024 + line.size());
    while (text.size() < 2 * 1024 * 1024)
        text += line;
    return text;
}

// Marks the moment the events posted before it have all been handled.
class Done : public QObject
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        handled = true;
        return true;
    }
    bool handled = false;
};

// Milliseconds each keystroke waited, sorted.
QList<double> type(bool recovery, int keystrokes)
{
    lw::ScriptedDesktopServices ds;
    lw::WindowProgram program(&ds);
    program.start({});
    (void)QTest::qWaitFor([&] { return program.state().templates.selectedIndex() >= 0; }, 30000);
    if (!recovery)
        program.recovery()->discard();
    program.state().ad.setText(lw::AdRecord::Text::Description, description());
    auto* box = program.window().findChild<QPlainTextEdit*>(u"txtDescription"_s);
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    QTest::qWait(500);

    Done done;
    QList<double> waits;
    QElapsedTimer clock;
    for (int i = 0; i < keystrokes; ++i) {
        done.handled = false;
        clock.start();
        QCoreApplication::postEvent(box, new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, u"x"_s));
        QCoreApplication::postEvent(box,
                                    new QKeyEvent(QEvent::KeyRelease, Qt::Key_X, Qt::NoModifier, u"x"_s));
        QCoreApplication::postEvent(&done, new QEvent(QEvent::User));
        while (!done.handled)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        waits << clock.nsecsElapsed() / 1e6;
        // A fast typist: ten keys a second; the recovery timer and the spelling worker run between.
        QTest::qWait(100);
    }
    std::sort(waits.begin(), waits.end());
    if (recovery) {
        // All a recovery copy asks of the window's thread: the snapshot; the rest runs on its own.
        clock.start();
        for (int i = 0; i < 100; ++i)
            lw::adFileFromState(program.state());
        std::printf("recovery snapshot on the window's thread: %.1f us\n", clock.nsecsElapsed() / 1e3 / 100);
    }
    return waits;
}

void report(const char* what, const QList<double>& w)
{
    std::printf("%-22s keystrokes %lld  median %.2f ms  99th %.2f ms  worst %.2f ms\n", what,
                static_cast<long long>(w.size()), w.at(w.size() / 2), w.at(w.size() * 99 / 100), w.last());
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program's files and copies go to a folder of this run.
    const QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(u"config"_s).toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath(u"data"_s).toUtf8());
    qputenv("XDG_STATE_HOME", home.filePath(u"state"_s).toUtf8());
    QApplication app(argc, argv);
    const QString from = lw::installFolder();
    QDirIterator it(from + u"/templates"_s, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString to = home.filePath(u"install"_s) + file.mid(from.size());
        QDir().mkpath(QFileInfo(to).path());
        QFile::copy(file, to);
    }
    lw::setInstallFolderOverride(home.filePath(u"install"_s));
    const int keystrokes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 150;
    report("recovery copies on", type(true, keystrokes));
    report("recovery copies off", type(false, keystrokes));
    return 0;
}
