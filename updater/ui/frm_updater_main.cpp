#include "updater/ui/frm_updater_main.h"

#include "core/desktop_services.h"
#include "core/hosts.h"
#include "core/install_folder.h"
#include "updater/ui/ui_frm_updater_main.h"

#include <QCloseEvent>
#include <QFile>
#include <QIcon>

#include <cmath>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

QString markerPath()
{
    return installPath(u"tmp.dat"_s);
}

QString programPath()
{
    return installPath(u"Listwright"_s);
}

QString noConnectionText()
{
    return u"Listwright has detected that you are not currently connected to the Internet.  Before the "
           u"automatic update process can continue, you will need to connect to the Internet using your "
           u"standard method.\r\n\r\n"
           u"If you use a dial-up modem, you should be able to connect by launching Internet Explorer, or by "
           u"going through the Dial-up Networking properties.\r\n\r\n"
           u"If you connect through a local area network, or high-speed protocol, then ensure that all "
           u"settings and connections are valid.\r\n\r\n"
           u"If you cannot  get online, contact your Internet Service Provider for assistance.  Please "
           u"connect to the internet now, and then re-click the 'Get Updates' button after fully "
           u"connecting."_s;
}

QString failureText()
{
    return u"An error has occured while attempting to download or install the update to Listwright. This "
           u"error could be caused by a multitude of reasons, some of which are listed below:\r\n\r\n"
           u"- Your Internet connection may have been lost\r\n"
           u"- The Listwright update server may be down\r\n"
           u"- There may still be an instance of Listwright open\r\n"
           u"- You may be behind a firewall or other restricted access\r\n\r\n"
           u"This update utility will now close and you will be returned to Listwright.  You may wish to "
           u"try the update process again in a few minutes. If the problem persists, please contact "_s +
           Hosts::current().supportEmail + u" and describe the behavior of the error."_s;
}

} // namespace

frmUpdaterMain::frmUpdaterMain(DesktopServices& ds, QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::frmUpdaterMain>()), m_ds(ds)
{
    m_ui->setupUi(this);
    // The program's picture is a file of the installation, as in Listwright's own window.
    setWindowIcon(QIcon(installPath(u"graphics/Listwright.svg"_s)));
    connect(m_ui->cmdGetFile, &QPushButton::clicked, this, &frmUpdaterMain::cmdGetFile_Click);
    connect(&m_download, &PackageDownload::stateChanged, this, &frmUpdaterMain::iNet2_StateChanged);
    connect(&m_download, &PackageDownload::chunkWritten, this, &frmUpdaterMain::chunkWritten);
    connect(&m_download, &PackageDownload::stalled, this, [this] {
        m_ds.messageBox(
            u"Nothing has arrived from the Listwright update server for %1 seconds, so the "
            u"download has been stopped.  Please check your Internet connection, and then click "
            u"the 'Get Updates' button to try again."_s.arg(m_download.stallTimeout().count() / 1000),
            MsgIcon::Exclamation, u"Error In Download"_s);
        transferStopped();
    });
    connect(&m_download, &PackageDownload::failed, this, &frmUpdaterMain::failUpdate);
}

frmUpdaterMain::~frmUpdaterMain() = default;

bool frmUpdaterMain::Form_Load()
{
    if (QFile::exists(markerPath()))
        return true;
    m_ds.messageBox(u"This utility must be launched via Listwright."_s, MsgIcon::Information, u"Error"_s);
    return false;
}

void frmUpdaterMain::cmdGetFile_Click()
{
    if (!m_ds.isConnected()) {
        m_ds.messageBox(noConnectionText(), MsgIcon::Information,
                        u"Error: No Internet Connection Detected"_s);
        return;
    }
    m_ui->cmdGetFile->setEnabled(false);
    m_download.start();
}

void frmUpdaterMain::iNet2_StateChanged(TransferState state)
{
    switch (state) {
    case TransferState::Requesting:
        m_ui->lblStatus->setText(u"Requesting Updated File"_s);
        break;
    case TransferState::ResponseReceived:
        m_ui->lblStatus->setText(u"File is available - Starting Download"_s);
        break;
    case TransferState::Error:
        transferStopped();
        break;
    case TransferState::Completed:
        if (!m_download.install())
            return failUpdate();
        m_ui->ProgBar->setValue(0);
        m_ui->lblStatus->setText(u"Update Complete - Restarting Listwright"_s);
        QFile::remove(markerPath());
        m_ds.startProgram(programPath());
        close();
        break;
    }
}

void frmUpdaterMain::chunkWritten(qint64 bytesReceived)
{
    m_ui->lblStatus->setText(u"Downloading Update to Computer"_s);
    // Halves round to even.
    const double percent = std::nearbyint(double(bytesReceived) * 100.0 / double(m_download.contentLength()));
    m_ui->ProgBar->setValue(int(std::clamp(percent, 0.0, 100.0)));
}

void frmUpdaterMain::transferStopped()
{
    m_ui->lblStatus->setText(u"Error In Download"_s);
    m_download.cancel();
    m_ui->cmdGetFile->setEnabled(true);
}

void frmUpdaterMain::failUpdate()
{
    m_download.cancel();
    m_ds.messageBox(failureText(), MsgButtons::Ok);
    m_ds.startProgram(programPath());
    QFile::remove(markerPath());
    close();
}

void frmUpdaterMain::closeEvent(QCloseEvent* event)
{
    m_download.cancel();
    QFile::remove(markerPath());
    event->accept();
}

} // namespace lw
