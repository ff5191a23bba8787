#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

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
    UpdateCheck(SharedState& state, DesktopServices& ds, UpdateWindow window, QObject* parent = nullptr);
    ~UpdateCheck() override;

    // cmdCheckUpdates: false after the no-connection or package-manager message, else `checked` and
    // `finished` follow.
    bool start();
    // The submission window's Start: when a check is due, an automatic one is started; false when
    // none was due or it could not start.
    bool startWhenDue();
    bool isRunning() const { return !m_reply.isNull(); }
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
    void fetch(const QString& path, QString& into, std::function<void()> next);
    void conclude();

    SharedState& m_state;
    DesktopServices& m_ds;
    const UpdateWindow m_window;
    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
};

} // namespace lw
