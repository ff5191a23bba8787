#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

#include <memory>

namespace lw {

class DesktopServices;
class FileCommands;
class SharedState;

// Recovery copies of the ad in the window: while the ad has unsaved changes, a copy in the ad
// file's format (plus, on two more lines, the ad file it belongs to and when it was written) lies
// in $XDG_STATE_HOME/listwright/recovery (a folder only the seller may enter, files only the
// seller may read). It is written on a thread of its own within two seconds of a change, so no
// keystroke waits for it, and removed when the seller has decided about the changes: saved them,
// answered No to "Save Changes?", or closed the window. Every running program holds a lock there;
// the copies of programs that are no longer running are offered back at the next window start.
// The headless commands make no Recovery, so they neither write nor offer copies.
class Recovery : public QObject
{
    Q_OBJECT
public:
    // From a change to the copy on the disk, the write included, in less than two seconds.
    static constexpr int WriteDelayMs = 1500;

    Recovery(SharedState& state, FileCommands& files, DesktopServices& ds, QString folder = defaultFolder(),
             QObject* parent = nullptr);
    // A program that ends without the seller's decision (the Updater taking over) leaves its copy,
    // brought up to date, for the next start.
    ~Recovery() override;

    // $XDG_STATE_HOME/listwright/recovery, ~/.local/state/... when the variable is not set.
    static QString defaultFolder();

    // Makes the folder and takes this program's lock; false, with why, when that cannot be done (no
    // copies are kept then).
    bool start(QString* error = nullptr);
    // Asks about each copy whose program no longer runs, newest first: Restore brings it back into
    // the editor (and ends the asking), Discard deletes it, Later keeps it for the next start.
    void offerCopies();
    // The window closed with the seller's consent: whatever the ad holds now is what they wanted.
    void discard();

    // This program's copy.
    QString copyPath() const { return m_folder + u'/' + m_id + QStringLiteral(".zad"); }

    // The last copy could not be written (why, in the seller's words), or could again (empty).
    Q_SIGNAL void copyProblem(const QString& why);

private:
    void scheduleWrite();
    void writeCopy(bool wait = false);
    void removeCopy(bool wait = false);
    void written(bool ok, const QString& why);

    SharedState& m_state;
    FileCommands& m_files;
    DesktopServices& m_ds;
    const QString m_folder;
    const QString m_id;
    std::unique_ptr<QLockFile> m_lock;
    QThread m_thread;
    // Lives on m_thread: writes and removals run there one after the other, in the order asked.
    QObject* m_worker = nullptr;
    QTimer m_timer;
    bool m_discarded = false;
    bool m_problem = false;
};

// The question for a copy: "Listwright closed before you saved the ad you were working on (lamp.zad,
// 14:32). Restore it?" The day is named too when it was not today.
QString recoveryQuestion(const QString& adPath, const QString& whenUtc, const QDateTime& now);

} // namespace lw
