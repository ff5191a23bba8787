#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <functional>

class QNetworkAccessManager;
class QNetworkReply;

namespace lw {

class DesktopServices;
class SharedState;

// The windows that check for updates: they differ in the no-connection message, the request
// time-out, the automatic check and the writing of updpr.dat.
enum class UpdateWindow
{
    CheckUpdates,
    Submission
};

// An installed program (core/install_folder.h) is updated by the system's package manager, not by
// the Updater: tells the seller so and answers true. False, saying nothing, when portable.
bool updatesFromPackageManager(DesktopServices& ds);

// The leading number of the revision file's text; 0 when the text does not begin with one.
double revisionValue(const QString& text);

// One window's update check: lwrver.txt and lwrupd.txt fetched from the version server and the
// revision compared with the running one; and the hand-over to the Updater.
class UpdateCheck : public QObject
{
    Q_OBJECT
public:
    // Both files are a few lines; a server sending more is not the maker's.
    static constexpr qint64 MaxTextBytes = 256 * 1024;

    UpdateCheck(SharedState& state, DesktopServices& ds, UpdateWindow window, QObject* parent = nullptr);
    ~UpdateCheck() override;

    // cmdCheckUpdates: false after the no-connection or package-manager message, else `checked` and
    // `finished` follow. A check that fails says why, unless it is the automatic one.
    bool start();
    // The submission window's Start: when a check is due, an automatic one is started; false when
    // none was due or it could not start.
    bool startWhenDue();
    bool isRunning() const { return !m_reply.isNull(); }
    // How long a silent server is waited for: 15 seconds in the submission window, else 60.
    void setStallTimeout(std::chrono::milliseconds stall) { m_stall = stall; }
    // cmdDownloadUpdates: asks, writes "tmp.dat" and starts the Updater, after which `handedOver`
    // tells the program to end. False when the seller said No or the Updater did not start.
    bool download();

Q_SIGNALS:
    // The outcome is known; the window sets its buttons before the message shows.
    void checked(bool updateAvailable);
    // The seller has read the message and updpr.dat is written where the window writes it.
    void finished(bool updateAvailable);
    void handedOver();

private:
    // Fetches `path` and hands on its text, or why it could not be had.
    void fetch(const QString& path, std::function<void(const QString& text, const QString& failure)> done);
    bool run();
    void conclude(const QString& failure);

    SharedState& m_state;
    DesktopServices& m_ds;
    const UpdateWindow m_window;
    std::chrono::milliseconds m_stall;
    bool m_automatic = false;
    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
};

} // namespace lw
