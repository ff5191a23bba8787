#include "adfile/recovery.h"

#include "adfile/ad_file.h"
#include "adfile/file_commands.h"
#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// The ad's own lines; the ad file it belongs to and the time follow them.
int adLineCount()
{
    static const int count = int(AdFileData().toLines().size());
    return count;
}

QString newId()
{
    return QString::number(QCoreApplication::applicationPid()) + u'-' +
           QString::number(QDateTime::currentMSecsSinceEpoch());
}

} // namespace

QString recoveryQuestion(const QString& adPath, const QString& whenUtc, const QDateTime& now)
{
    const QDateTime when = QDateTime::fromString(whenUtc, Qt::ISODateWithMs).toLocalTime();
    QString at = when.toString(u"HH:mm"_s);
    if (when.isValid() && when.date() != now.date())
        at = when.toString(u"yyyy-MM-dd HH:mm"_s);
    return u"Listwright closed before you saved the ad you were working on ("_s +
           (adPath.isEmpty() ? u"New File"_s : fileNameOf(adPath)) + u", "_s + at + u"). Restore it?"_s;
}

Recovery::Recovery(SharedState& state, FileCommands& files, DesktopServices& ds, QString folder,
                   QObject* parent)
    : QObject(parent), m_state(state), m_files(files), m_ds(ds), m_folder(std::move(folder)), m_id(newId())
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(WriteDelayMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { writeCopy(); });
}

Recovery::~Recovery()
{
    if (!m_worker)
        return;
    m_timer.stop();
    // Waited for: the thread's loop ends with the next call, and what is still queued with it.
    if (!m_discarded && m_state.ad.adChanged())
        writeCopy(true);
    else
        removeCopy(true);
    m_thread.quit();
    m_thread.wait();
}

QString Recovery::defaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + u"/.local/state"_s;
    return state + u"/listwright/recovery"_s;
}

bool Recovery::start(QString* error)
{
    if (!QDir().mkpath(m_folder) ||
        !QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        if (error)
            *error = u"The folder "_s + m_folder + u" could not be made."_s;
        return false;
    }
    m_lock = std::make_unique<QLockFile>(m_folder + u'/' + m_id + u".lock"_s);
    // Held for the whole run: only a program that no longer runs gives its lock up.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        if (error)
            *error = u"No lock could be taken in "_s + m_folder + u'.';
        m_lock.reset();
        return false;
    }
    m_worker = new QObject;
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
    // Behind the window's thread whenever both want the processor, so typing never waits for a copy.
    QMetaObject::invokeMethod(m_worker, [] {
        const pid_t self = ::gettid();
        ::setpriority(PRIO_PROCESS, self, std::min(19, ::getpriority(PRIO_PROCESS, self) + 10));
    });
    connect(&m_state.ad, &AdRecord::edited, this, &Recovery::scheduleWrite);
    connect(&m_state.ad, &AdRecord::adChangedChanged, this, [this](bool changed) {
        if (changed)
            return;
        m_timer.stop();
        removeCopy();
    });
    return true;
}

void Recovery::scheduleWrite()
{
    // Not restarted by later changes: a seller who never stops typing still gets a copy.
    if (!m_discarded && !m_timer.isActive())
        m_timer.start();
}

void Recovery::writeCopy(bool wait)
{
    if (!m_worker || !m_state.ad.adChanged())
        return;
    // Taken here, cheaply (the texts are shared, not copied); made into lines and written there.
    const AdFileData data = adFileFromState(m_state);
    const QString adPath = m_state.file.currentAdPath;
    const QString when = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    const QString path = copyPath();
    QMetaObject::invokeMethod(
        m_worker,
        [this, data, adPath, when, path] {
            QStringList lines = data.toLines();
            lines << adPath << when;
            QString why;
            const bool ok = writeTextLines(path, lines, &why, true);
            QMetaObject::invokeMethod(this, [this, ok, why] { written(ok, why); });
        },
        wait ? Qt::BlockingQueuedConnection : Qt::QueuedConnection);
}

void Recovery::written(bool ok, const QString& why)
{
    if (ok == !m_problem)
        return;
    m_problem = !ok;
    Q_EMIT copyProblem(ok ? QString() : why);
}

void Recovery::removeCopy(bool wait)
{
    if (!m_worker)
        return;
    const QString path = copyPath();
    QMetaObject::invokeMethod(
        m_worker, [path] { QFile::remove(path); },
        wait ? Qt::BlockingQueuedConnection : Qt::QueuedConnection);
    if (std::exchange(m_problem, false))
        Q_EMIT copyProblem({});
}

void Recovery::discard()
{
    m_discarded = true;
    m_timer.stop();
    removeCopy();
}

void Recovery::offerCopies()
{
    if (!m_worker)
        return;
    struct Found
    {
        QString file, adPath, when;
        AdFileData data;
        std::unique_ptr<QLockFile> lock;
    };
    std::vector<Found> found;
    for (const QFileInfo& info : QDir(m_folder).entryInfoList({u"*.zad"_s}, QDir::Files)) {
        const QString id = info.completeBaseName();
        if (id == m_id)
            continue;
        auto lock = std::make_unique<QLockFile>(m_folder + u'/' + id + u".lock"_s);
        lock->setStaleLockTime(0);
        // Its program still runs, or another program starting now is asking about it.
        if (!lock->tryLock(0))
            continue;
        const TextReadResult read = readTextLines(info.filePath());
        AdFileRead ad = read.ok ? parseAdFile(read.lines) : AdFileRead{};
        // A copy that cannot be read is left as it is, never deleted unasked.
        if (!ad.data)
            continue;
        found.push_back({info.filePath(), read.lines.value(adLineCount()),
                         read.lines.value(adLineCount() + 1), std::move(*ad.data), std::move(lock)});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.when > b.when; });
    const QDateTime now = QDateTime::currentDateTime();
    for (const Found& f : found) {
        const MsgResult answer = m_ds.messageBox(recoveryQuestion(f.adPath, f.when, now),
                                                 {MsgButtons::RestoreDiscardLater, MsgIcon::Exclamation});
        if (answer == MsgResult::Yes) {
            m_files.restore(f.data, f.adPath);
            // This program's copy first, so the ad is never without one.
            writeCopy(true);
            QFile::remove(f.file);
            return;
        }
        if (answer == MsgResult::No)
            QFile::remove(f.file);
    }
}

} // namespace lw
