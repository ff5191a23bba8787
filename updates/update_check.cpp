#include "updates/update_check.h"

#include "core/desktop_services.h"
#include "core/hosts.h"
#include "core/https_request.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/text_file.h"
#include "updates/update_due.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace lw {

namespace {

// What Qt's network thread may hold ahead of the check: the cap then bounds the memory a reply costs.
constexpr qint64 ReadBufferBytes = 16 * 1024;

QString noConnectionText(UpdateWindow window)
{
    return u"Listwright has detected that you are not currently connected to the Internet.  Before the "
           u"software can check for updates (and download them if necessary), you will need to connect to "
           u"the Internet using your standard method.\r\n\r\n"
           u"If you use a dial-up modem, you should be able to connect by launching Internet Explorer, or by "
           u"going through the Dial-up Networking properties.\r\n\r\n"
           u"If you connect through a local area network, or high-speed protocol, then ensure that all "
           u"settings and connections are valid.\r\n\r\n"
           u"If you cannot  get online, contact your Internet Service Provider for assistance.  Please "
           u"connect to the "_s +
           (window == UpdateWindow::CheckUpdates ? u"Internet"_s : u"internet"_s) +
           u" now, and then re-click the 'Check for Updates' button after fully connecting."_s;
}

QString noUpdateText()
{
    return u"There are currently no updates available for Listwright.  It is a good idea to check for "
           u"updates several times a week if you will be using the automated submitting portion of this "
           u"software (due to changes in eBay's listing structure)."_s;
}

QString updateText()
{
    return u"An important update for Listwright has been found.\r\n\r\n"
           u"Please save the current ad you have created to a location you will remember, and then click "
           u"on the 'Download Updates' button.  After clicking the button, Listwright will close and an "
           u"update utility will be launched.  After completing the update process, the new version of "
           u"Listwright will re-launch and you may then load up your saved ad and continue to use this "
           u"software.  A list of new version features is below:\r\n\r\n"_s;
}

QString readyText()
{
    return u"You have clicked on the 'Download Updates' button.  Proceeding with this process will "
           u"terminate Listwright and launch the update utility to download the required files.\r\n\r\n"
           u"If you did not save your current ad or if you are not connected to the Internet, please "
           u"select 'No' to return to Listwright.\r\n\r\n"
           u"If you are ready to download the latest update(s) for Listwright, please select 'Yes' to "
           u"proceed.  Also, if there is more than one instance of Listwright open, please close them all "
           u"except this one, which will be closed automatically."_s;
}

QString packageManagerText()
{
    return u"This copy of Listwright was installed on your system as a package, so its updates come from "
           u"your system's package manager and not from the Listwright update utility.\r\n\r\n"
           u"To get the latest version of Listwright, update your system's software the way you usually do "
           u"(for example with the software updates tool of your desktop, or by typing 'sudo apt update' "
           u"and then 'sudo apt upgrade' in a terminal).  It is a good idea to do this several times a week "
           u"if you will be using the automated submitting portion of this software (due to changes in "
           u"eBay's listing structure)."_s;
}

// Why a file could not be fetched, in words for the seller; empty when it came.
QString failureReason(const QNetworkReply& reply, bool overCap, std::chrono::milliseconds stall)
{
    const QString server = Hosts::current().versionServer;
    if (overCap)
        return u"the server %1 sent more than %2 KB for a file of a few lines, so it is not the Listwright "
               u"update "
               u"server"_s.arg(server, QString::number(UpdateCheck::MaxTextBytes / 1024));
    switch (reply.error()) {
    case QNetworkReply::NoError:
        return {};
    case QNetworkReply::HostNotFoundError:
        return u"the update server %1 was not found: this computer may not be connected to the Internet"_s
            .arg(server);
    case QNetworkReply::ConnectionRefusedError:
        return u"there is no connection to the update server %1: it refused the connection"_s.arg(server);
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
        return u"there is no connection to the update server %1 (%2)"_s.arg(server, reply.errorString());
    case QNetworkReply::SslHandshakeFailedError:
        return u"the certificate of the update server %1 is not trusted: it is not signed by an authority "
               u"this "
               u"computer trusts, has expired, or names another server"_s.arg(server);
    // The transfer time-out cancels the reply.
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        return u"the update server %1 did not answer within %2 seconds"_s.arg(
            server, QString::number(std::max<qint64>(1, stall.count() / 1000)));
    case QNetworkReply::RemoteHostClosedError:
        return u"the update server %1 closed the connection before the file had arrived"_s.arg(server);
    default:
        break;
    }
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400)
        return u"the update server %1 answered with an error: %2 %3"_s.arg(
            server, QString::number(status),
            reply.attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    return u"the update server %1 could not be read: %2"_s.arg(server, reply.errorString());
}

QString couldNotCheckText(const QString& reason)
{
    return u"Listwright could not check for updates: "_s + reason +
           u".\r\n\r\nNo update has been found and none has been ruled out.  Please try again later."_s;
}

} // namespace

bool updatesFromPackageManager(DesktopServices& ds)
{
    if (!isInstalled())
        return false;
    ds.messageBox(packageManagerText(), MsgIcon::Information, u"Updates Come From Your Package Manager"_s);
    return true;
}

double revisionValue(const QString& text)
{
    static const QRegularExpression number(u"^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)"_s);
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured().trimmed().toDouble() : 0.0;
}

UpdateCheck::UpdateCheck(SharedState& state, DesktopServices& ds, UpdateWindow window, QObject* parent)
    : QObject(parent), m_state(state), m_ds(ds), m_window(window),
      // The submission window asks for 15 seconds; the update window keeps its control's 60.
      m_stall(window == UpdateWindow::Submission ? 15s : 60s)
{
}

UpdateCheck::~UpdateCheck()
{
    // Without its finish reaching us, so the second file is not asked for.
    if (m_reply) {
        disconnect(m_reply, nullptr, this, nullptr);
        m_reply->abort();
    }
}

bool UpdateCheck::start()
{
    if (isRunning())
        return true;
    m_automatic = false;
    return run();
}

bool UpdateCheck::run()
{
    if (updatesFromPackageManager(m_ds))
        return false;
    if (!m_ds.isConnected()) {
        m_ds.messageBox(noConnectionText(m_window), MsgIcon::Information,
                        u"Error: No Internet Connection Detected"_s);
        return false;
    }
    fetch(u"/lwrver.txt"_s, [this](const QString& revision, const QString& failure) {
        if (!failure.isEmpty())
            return conclude(failure);
        m_state.updates.latestRevision = revision;
        fetch(u"/lwrupd.txt"_s, [this](const QString& features, const QString& failure) {
            // The revision decides; a list that did not come is only missing from the message.
            m_state.updates.featureList =
                failure.isEmpty() ? features
                                  : u"(The list of new features could not be fetched: "_s + failure + u".)"_s;
            conclude({});
        });
    });
    return true;
}

bool UpdateCheck::startWhenDue()
{
    // An installed program cannot replace itself: nothing to check for on its behalf.
    if (!m_state.updates.updateCheckDue || isInstalled())
        return false;
    m_state.updates.autoUpdateCheck = true;
    if (isRunning())
        return true;
    m_automatic = true;
    return run();
}

void UpdateCheck::fetch(const QString& path,
                        std::function<void(const QString& text, const QString& failure)> done)
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkReply* reply = m_network->get(httpsRequest(Hosts::current().versionServer, path, m_stall));
    reply->setReadBufferSize(ReadBufferBytes);
    m_reply = reply;
    // Taken as it arrives, so no more than the cap and the read buffer is ever held.
    auto body = std::make_shared<QByteArray>();
    auto overCap = std::make_shared<bool>(false);
    const auto take = [reply, body, overCap] {
        *body += reply->read(MaxTextBytes + 1 - body->size());
        if (body->size() > MaxTextBytes && !*overCap) {
            *overCap = true;
            reply->abort();
        }
    };
    connect(reply, &QNetworkReply::readyRead, this, take);
    connect(reply, &QNetworkReply::finished, this, [this, reply, body, overCap, take, done] {
        reply->deleteLater();
        if (reply->error() == QNetworkReply::NoError)
            take();
        const QString failure = failureReason(*reply, *overCap, m_stall);
        done(failure.isEmpty() ? decodeText(*body) : QString(), failure);
    });
}

void UpdateCheck::conclude(const QString& failure)
{
    m_reply = nullptr;
    UpdateState& u = m_state.updates;
    const bool submission = m_window == UpdateWindow::Submission;
    if (!failure.isEmpty()) {
        Q_EMIT checked(false);
        if (!m_automatic)
            m_ds.messageBox(couldNotCheckText(failure), MsgIcon::Exclamation,
                            u"Could Not Check For Updates"_s);
        if (submission)
            writeTextLines(updateDatePath(), {formatUpdateDate(QDateTime::currentDateTime())});
        Q_EMIT finished(false);
        return;
    }
    const bool available = u.programRevision < revisionValue(u.latestRevision);
    if (available)
        u.updateAvailable = true;
    Q_EMIT checked(available);
    if (available)
        m_ds.messageBox(updateText() + u.featureList, MsgIcon::Information, u"Update Available"_s);
    else if (!submission || !u.autoUpdateCheck)
        m_ds.messageBox(noUpdateText(), MsgIcon::Information, u"No Updates Available"_s);
    if (submission)
        writeTextLines(updateDatePath(), {formatUpdateDate(QDateTime::currentDateTime())});
    Q_EMIT finished(available);
}

bool UpdateCheck::download()
{
    if (updatesFromPackageManager(m_ds))
        return false;
    if (m_ds.messageBox(readyText(), {MsgButtons::YesNo, MsgIcon::Information}, u"Ready For Updates?"_s) !=
        MsgResult::Yes)
        return false;
    const QString marker = programPath(u"tmp.dat"_s);
    const QString updater = programPath(u"Updater"_s);
    const bool made = !QFileInfo::exists(marker);
    QString why;
    if (made && !writeTextLines(marker, {u"1"_s}, &why)) {
        why = u"The file "_s + marker + u" could not be written: "_s + why;
    } else if (!m_ds.startProgram(updater)) {
        why = u"The update utility "_s + updater + u" could not be started."_s;
        // No hand-over happened: the Updater must not find the marker later.
        if (made)
            QFile::remove(marker);
    } else {
        Q_EMIT handedOver();
        return true;
    }
    m_ds.messageBox(why + u"\r\n\r\nListwright stays open.  Please check that the update utility is "
                          u"installed beside Listwright, and then try again."_s,
                    MsgIcon::Exclamation, u"Unable To Start The Update Utility"_s);
    return false;
}

} // namespace lw
