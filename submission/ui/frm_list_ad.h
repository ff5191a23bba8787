#pragma once

#include "submission/selling_pages.h"
#include "submission/submission_host.h"
#include "support/ui/control_resizer.h"

#include <QDialog>

#include <array>
#include <memory>

class QPushButton;
class QTimer;
class QWebEngineView;

namespace Ui {
class frmListAd;
}

namespace lw {

class WebDocument;

// The assisted submission window: the auction site's selling pages in an embedded browser, each
// recognised by its title, with the assist buttons that fit the page. Every command that touches
// the page is a short chain of asynchronous document calls; none waits in a loop of its own.
class frmListAd : public QDialog, public SubmissionWindow
{
    Q_OBJECT
public:
    frmListAd(SubmissionHost& host, QWidget* parent = nullptr);
    ~frmListAd() override;

    QWidget* widget() override { return this; }
    void showWindow() override;
    void cmdInsertPicture_Click(int index) override;

    void Form_Load();
    void Form_Unload();
    void cmdStart_Click();
    void cmdCancel_Click();
    void cmdNext_Click();
    void cmdPrevious_Click();
    void cmdInsertSellURL_Click();
    void cmdSignIn_Click();
    void cmdInsertTitle_Click();
    void cmdInsertDescription_Click();
    void cmdCheckUpdates_Click();
    void cmdDownloadUpdates_Click();

    // The location name of the shown page: the title, or the file name of the local welcome page.
    QString locationName() const;
    QWebEngineView* browser() const { return m_view; }

Q_SIGNALS:
    // A page was recognised and its button row applied (tests and the status follow it).
    void pageRecognised(lw::SellingPage page);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void connectControls();
    void wbListAd_DownloadBegin();
    void wbListAd_DocumentComplete(bool ok);
    void tmrLoading_Timer();
    void applyPage(SellingPage page);
    void continueStart();
    void startFailed();
    void showWelcomePage();
    void showPasswordNote();
    void showAddressWarning();
    void restoreCaptions();
    void saveBoxes();
    void setStatus(const QString& text);
    void signInFailed();
    void titleFailed();
    void descriptionFailed();
    void insertPicture(int index);
    void pictureFailed();
    void succeeded(QPushButton* button);
    void updateChecked(bool available);
    // Drops the rest of a chain of document calls when the page or the run changed meanwhile.
    std::function<bool()> guard();

    std::unique_ptr<Ui::frmListAd> m_ui;
    SubmissionHost& m_host;
    DesktopServices& m_ds;
    QWebEngineView* m_view = nullptr;
    std::unique_ptr<WebDocument> m_document;
    ControlResizer m_resizer;
    QTimer* tmrLoading = nullptr;
    std::array<QPushButton*, 2> cmdInsertPicture{};
    SubmissionAccount m_account;

    bool m_loaded = false;
    bool SubmissionCancelled = false;
    QString StatusText = QStringLiteral("Loading Page");
    QString IdleStatusText;
    QString LoadingDots;
    ElementPosition m_signInPosition; // SignInFormIndex, SignInElementIndex
    // Start navigated to the selling address and waits for its first page.
    bool m_startPending = false;
    // Change with every page load, and with every cancel, unload or load of the window.
    quint64 m_pageGeneration = 0;
    quint64 m_runGeneration = 0;
};

} // namespace lw
