// The live preview beside the real main window, offscreen: from a change of the ad to the preview's
// page loaded (one character typed into a 3,000-character description in the largest template),
// what a keystroke costs the window's thread with the preview closed and open, and the memory the
// preview takes.
// Usage: bench_live_preview [CHANGES]   (run from the build's bin folder; QT_QPA_PLATFORM offscreen)
#include "app/program.h"
#include "app/ui/frm_main.h"
#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

void copyFolder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(file, target);
    }
}

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

void report(const char* what, const std::vector<double>& ms)
{
    std::printf("%-44s median %7.2f ms   p95 %7.2f ms   (%zu)\n", what, percentile(ms, 0.5),
                percentile(ms, 0.95), ms.size());
}

// The window's own event loop, as the program runs it: QTest's waits sleep between their passes, and
// the browser engine, which runs its own work on this thread, would wait with them.
bool waitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QEventLoop loop;
    QTimer poll;
    QElapsedTimer since;
    since.start();
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || since.hasExpired(timeoutMs))
            loop.quit();
    });
    poll.start(1);
    if (!done())
        loop.exec();
    return done();
}

void pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000 + double(t.tv_nsec) / 1e6;
}

// Resident memory of this process and of the browser's processes it started, in MB.
std::pair<double, double> residentMb()
{
    auto rss = [](const QString& pid) {
        QFile status(u"/proc/"_s + pid + u"/status"_s);
        if (!status.open(QIODevice::ReadOnly))
            return 0.0;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
        return 0.0;
    };
    QStringList family{QString::number(QCoreApplication::applicationPid())};
    double children = 0;
    for (qsizetype i = 0; i < family.size(); ++i)
        for (const QString& pid : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
            QFile stat(u"/proc/"_s + pid + u"/stat"_s);
            if (!stat.open(QIODevice::ReadOnly))
                continue;
            const QByteArray s = stat.readAll();
            const QList<QByteArray> fields = s.mid(s.lastIndexOf(')') + 2).split(' ');
            if (fields.value(1) == family.at(i).toLatin1() && !family.contains(pid)) {
                family << pid;
                children += rss(pid);
            }
        }
    return {rss(family.first()), children};
}

// Notes the time of each page the preview finishes loading (it marks each with a property).
class PageWatch : public QObject
{
public:
    PageWatch(std::vector<qint64>& times, const QElapsedTimer& clock) : m_times(times), m_clock(clock) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::DynamicPropertyChange &&
            static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == "shownSerial")
            m_times.push_back(m_clock.elapsed());
        return QObject::eventFilter(watched, event);
    }

private:
    std::vector<qint64>& m_times;
    const QElapsedTimer& m_clock;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking --no-proxy-server");
    QTemporaryDir home;
    copyFolder(QStringLiteral(LW_DATA_DIR), home.path());
    qputenv("LISTWRIGHT_HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + u"/.config"_s).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + u"/.data"_s).toUtf8());
    QApplication app(argc, argv);
    const int changes = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;

    lw::ScriptedDesktopServices ds;
    ds.setTempFolder(home.path() + u'/');
    lw::SharedState state;
    lw::Program program(state, ds);
    lw::frmMain window(program, ds);
    window.Form_Load({});
    window.resize(1000, 700);
    window.show();

    // The largest template with every picture it shows and a 3,000-character description.
    state.templates.setSelectedIndex(int(state.templates.files().indexOf(u"15.tpt"_s)));
    QImage photo(1200, 900, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    photo.save(home.filePath(u"photo.jpg"_s));
    for (int k = 0; k < 10; ++k)
        state.pictures.setText(k, home.filePath(u"photo.jpg"_s));
    QString description;
    while (description.size() < 3000)
        description +=
            u"Solid brass desk lamp, rewired with a new cloth cord; the green glass shade is <b>perfect</b>.\r\n"_s;
    description.truncate(3000);
    state.ad.setText(lw::AdRecord::Text::Description, description);
    auto* box = window.findChild<QPlainTextEdit*>(u"txtDescription"_s);
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    pause(200);

    // Bursts of ten keystrokes 60 ms apart, a fast typist's pace, with a pause after each: what each
    // keystroke costs the window's thread, and with the preview open, how its pages follow.
    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> shownAt; // when a page finished loading
    PageWatch watch(shownAt, clock);
    std::vector<double> closedKeys, openKeys, stopToPixels, pixels;
    qint64 longestWhileTyping = 0;
    qint64 burstStart = 0;
    auto typing = [&](std::vector<double>& keys) {
        const double cpuBefore = threadCpuMs();
        for (int i = 0; i < changes; ++i) {
            QElapsedTimer key;
            key.start();
            const qint64 keyAt = clock.elapsed();
            if (i % 10 == 0)
                burstStart = keyAt;
            QTest::keyClick(box, Qt::Key_A);
            keys.push_back(double(key.nsecsElapsed()) / 1e6);
            pause(60);
            if (i % 10 != 9)
                continue;
            const size_t pagesBefore = shownAt.size();
            pause(600);
            if (shownAt.size() > pagesBefore && shownAt.back() > keyAt)
                stopToPixels.push_back(double(shownAt.back() - keyAt));
            // The longest wait for a new page while the burst went on.
            if (shownAt.empty())
                continue;
            qint64 last = burstStart;
            for (const qint64 at : shownAt)
                if (at > burstStart && at <= keyAt) {
                    longestWhileTyping = std::max(longestWhileTyping, at - last);
                    last = at;
                }
            longestWhileTyping = std::max(longestWhileTyping, keyAt - last);
        }
        return (threadCpuMs() - cpuBefore) / changes;
    };
    const double closedCpu = typing(closedKeys);

    const auto [before, none] = residentMb();
    window.findChild<QAction*>(u"mnuOptionsLivePreview"_s)->trigger();
    QWidget* preview = window.findChild<QWidget*>(u"frmLivePreview"_s);
    if (!preview) {
        std::fprintf(stderr, "bench_live_preview: the browser module could not be loaded\n");
        return 1;
    }
    preview->installEventFilter(&watch);
    auto shown = [preview] { return preview->property("shownSerial").toULongLong(); };
    auto loading = [preview] { return preview->property("loadingSerial").toULongLong(); };
    waitUntil([&] { return shown() > 0 && shown() == loading(); }, 30000);
    pause(1000);
    const auto [after, browser] = residentMb();

    shownAt.clear();
    const double openCpu = typing(openKeys);
    pause(2000);

    // From the model's change to the page that shows it, one change at a time, each after the page
    // before it has been shown and the seller has paused (150 ms).
    for (int i = 0; i < changes; ++i) {
        const quint64 before = shown();
        QElapsedTimer change;
        change.start();
        description += QChar(u'a' + i % 26);
        state.ad.setText(lw::AdRecord::Text::Description, description);
        if (!waitUntil([&] { return loading() > before && shown() == loading(); }, 10000)) {
            std::fprintf(stderr, "bench_live_preview: change %d was never shown\n", i);
            return 1;
        }
        pixels.push_back(double(change.nsecsElapsed()) / 1e6);
        pause(150);
    }

    std::printf("live preview, template 15, %lld-character description, 10 pictures\n",
                static_cast<long long>(description.size()));
    report("change to pixels (model change to page loaded)", pixels);
    report("last keystroke of a burst to its page loaded", stopToPixels);
    std::printf("%-44s %lld ms\n", "longest time between pages while typing",
                static_cast<long long>(longestWhileTyping));
    report("keystroke in the window's thread, closed", closedKeys);
    report("keystroke in the window's thread, open", openKeys);
    std::printf("%-44s closed %6.2f ms   open %6.2f ms\n", "window's thread CPU per keystroke (all work)",
                closedCpu, openCpu);
    std::printf("%-44s program %.0f MB -> %.0f MB, browser processes %.0f MB\n",
                "resident memory, preview opened", before, after, browser);
    Q_UNUSED(none);
    return 0;
}
