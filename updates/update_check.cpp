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

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace lw {

namespace {

// Both files are a few lines; a server sending more is not the maker's.
constexpr qint64 MaxTextBytes = 256 * 1024;

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
    : QObject(parent), m_state(state), m_ds(ds), m_window(window)
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
    if (updatesFromPackageManager(m_ds))
        return false;
    if (!m_ds.isConnected()) {
        m_ds.messageBox(noConnectionText(m_window), MsgIcon::Information,
                        u"Error: No Internet Connection Detected"_s);
        return false;
    }
    UpdateState& u = m_state.updates;
    fetch(u"/lwrver.txt"_s, u.latestRevision,
          [this, &u] { fetch(u"/lwrupd.txt"_s, u.featureList, [this] { conclude(); }); });
    return true;
}

bool UpdateCheck::startWhenDue()
{
    // An installed program cannot replace itself: nothing to check for on its behalf.
    if (!m_state.updates.updateCheckDue || isInstalled())
        return false;
    m_state.updates.autoUpdateCheck = true;
    return start();
}

void UpdateCheck::fetch(const QString& path, QString& into, std::function<void()> next)
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    // The submission window asks for 15 seconds; the update window keeps its control's 60.
    const auto stall = m_window == UpdateWindow::Submission ? 15s : 60s;
    QNetworkReply* reply = m_network->get(httpsRequest(Hosts::current().versionServer, path, stall));
    m_reply = reply;
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > MaxTextBytes)
            reply->abort();
    });
    // A failed fetch is silent and leaves the older text.
    connect(reply, &QNetworkReply::finished, this, [reply, &into, next] {
        reply->deleteLater();
        if (reply->error() == QNetworkReply::NoError)
            into = decodeText(reply->readAll());
        next();
    });
}

void UpdateCheck::conclude()
{
    m_reply = nullptr;
    UpdateState& u = m_state.updates;
    const bool available = u.programRevision < revisionValue(u.latestRevision);
    if (available)
        u.updateAvailable = true;
    Q_EMIT checked(available);
    const bool submission = m_window == UpdateWindow::Submission;
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
