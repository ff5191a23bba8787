#pragma once

#include "updater/package_download.h"

#include <QWidget>

#include <memory>

namespace Ui {
class frmUpdaterMain;
}

namespace lw {

class DesktopServices;

// The Updater's one window: Get Updates downloads the new Listwright, which replaces the old one
// and is started; closing the window ends the Updater.
class frmUpdaterMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmUpdaterMain(DesktopServices& ds, QWidget* parent = nullptr);
    ~frmUpdaterMain() override;

    // Start-up: false after its message when Listwright did not hand over ("tmp.dat" missing).
    bool Form_Load();
    void cmdGetFile_Click();
    void iNet2_StateChanged(TransferState state);
    PackageDownload& iNet2() { return m_download; }

protected:
    // Form_Unload: the hand-over is spent.
    void closeEvent(QCloseEvent* event) override;

private:
    void chunkWritten(qint64 bytesReceived);
    void transferStopped();
    // The update cannot be installed: the seller is told and the old program comes back.
    void failUpdate();

    std::unique_ptr<Ui::frmUpdaterMain> m_ui;
    DesktopServices& m_ds;
    PackageDownload m_download;
};

} // namespace lw
