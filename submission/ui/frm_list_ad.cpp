#include "submission/ui/frm_list_ad.h"

#include "submission/ui/ui_frm_list_ad.h"
#include "submission/ui/web_document.h"

#include <QCloseEvent>
#include <QPointer>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QValidator>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// 9765 by 7170 twips.
constexpr int MinimumWidth = 651;
constexpr int MinimumHeight = 478;
constexpr int LoadingInterval = 800;

const QString Success = u"Success!"_s;
const QString ErrorTitle = u"Error During Submission"_s;

QString noConnectionText()
{
    return u"Listwright has detected that you are not currently connected to the Internet.  You will need to "
           u"connect to the Internet before the integrated submitting tool can continue.\r\n\r\n"
           u"If you use a dial-up modem, you should be able to connect by launching Internet Explorer, or by "
           u"going through the Dial-up Networking properties.\r\n\r\n"
           u"If you connect through a local area network, or high-speed protocol, then ensure that all "
           u"settings "
           u"and connections are valid.\r\n\r\n"
           u"If you cannot  get online, contact your Internet Service Provider for assistance.  Please "
           u"connect to "
           u"the Internet now, and then re-click the 'Start' button."_s;
}

QString emptyUrlText()
{
    return u"A valid web address (URL) must be provided in the 'Selling URL' field before the submitting "
           u"tool "
           u"can continue.  If you would like the software to revert back to the original eBay selling URL, "
           u"follow these steps:\r\n\r\n"
           u"1.) Close all instances of Listwright\r\n"
           u"2.) Navigate to the Listwright folder using any method\r\n"
           u"3.) Delete the file - 'eBaycfg.txt'\r\n"
           u"4.) Restart Listwright and a new file will be created.\r\n\r\n"
           u"For further details, please refer to the help documentation included."_s;
}

QString startFailedText(const QString& home)
{
    return u"An error has occurred while attempting to connect to the selling form.  If this is the first "
           u"time "
           u"this message has occured, please wait several minutes and try again.  If the problem continues, "
           u"try "
           u"these suggestions:\r\n\r\n"
           u"- The submitting site may be down.  Try to go to "_s +
           home +
           u" from a regular browser to see if it appears.\r\n"
           u"- The selling URL may be invalid, double-check it or replace it with the original.\r\n\r\n"
           u"For complete details, please refer to the help documentation included."_s;
}

QString cancelText()
{
    return u"Listwright has cancelled the assisted submission process.  Feel free to close this submission "
           u"window "
           u"and make the necessary corerctions within your ad.  When you are ready to re-submit the ad, "
           u"simply "
           u"click the 'Start' button and follow the instructions.open it back up when you are ready to "
           u"re-submit "
           u"your ad.\r\n\r\n"
           u"NOTE: It is possible that you pressed the cancel button at a time when a page was being "
           u"transmitted, "
           u"and thus that particular page may still follow-through before the process is cancelled."_s;
}

QString navigationFailedText(bool next, const QString& email)
{
    if (next)
        return u"An error has occurred while attempting to use the CONTINUE navigation button.  If this is "
               u"the "
               u"first time you have received this error, please wait several minutes and try again.  If "
               u"this "
               u"button still causes an error, please contact "_s +
               email +
               u".  You can also use the BACK and CONTINUE buttons found at the bottom of each selling page."_s;
    return u"An error has occurred while attempting to use the BACK navigation button.  If this is the first "
           u"time "
           u"this message has occured, please wait several minutes and try again.  If this button still "
           u"causes an "
           u"error, please contact "_s +
           email +
           u".  You can also use the BACK and CONTINUE buttons found at the bottom of each selling page."_s;
}

QString signInFailedText(const QString& email)
{
    return u"An error has occurred while attempting to sign you into eBay automatically.  Please ensure that "
           u"your "
           u"username and password are correct (they are CaSe sensitive) and then try again.  If you still "
           u"can't "
           u"sign-in, please contact "_s +
           email + u" - you can also sign-in manually."_s;
}

QString notSecureText()
{
    return u"Listwright did not fill in your eBay username and password: this page was not loaded over a "
           u"secure connection (its address does not begin with \"https://\"), so your password would "
           u"travel unencrypted.  Start from eBay's secure sign-in page (the 'Paste Default Link' button "
           u"puts its address in the Selling URL box), or sign in manually."_s;
}

QString otherHostText(const QString& host)
{
    return u"Listwright did not fill in your eBay username and password: this page comes from "_s + host +
           u", which is not one of eBay's own sites.  Your password is filled in only on eBay's secure "
           u"pages.  If you trust this page, you can sign in manually."_s;
}

// Label4: where the password is kept, as it is.
QString passwordNoteText(bool inKeyring)
{
    return (inKeyring ? u"NOTE:  Your eBay password is kept in your desktop's keyring, and only used to "
                        u"submit auctions via eBay's site."_s
                      : u"NOTE:  No desktop keyring was found, so your eBay password is stored scrambled "
                        u"(not encrypted) in a file only you can read, and only used to submit auctions "
                        u"via eBay's site."_s) +
           u"  These fields are not required if you sign-in manually.  For more information, please "
           u"refer to the help documentation included."_s;
}

QString titleFailedText(const QString& email)
{
    return u"An error has occured while attempting to insert the title into the selling form.  If this is "
           u"the "
           u"first time you have received this error, please wait several minutes and try again.  If this "
           u"button "
           u"still causes an error, please contact "_s +
           email + u".  You can also manually enter (or paste) the title into the correct field."_s;
}

QString descriptionFailedText(const QString& email)
{
    return u"An error has occured while attempting to insert the description into the selling form.  If this "
           u"is "
           u"the first time you have received this error, please wait several minutes and try again.  If "
           u"this "
           u"button still causes an error, please contact "_s +
           email +
           u".  You can also generate the ad from the main window and paste it into the description field "
           u"yourself."_s;
}

QString pictureFailedText(const QString& email)
{
    return u"An error has occured while attempting to insert the gallery picture into the selling form.  If "
           u"this "
           u"is the first time you have received this error, please wait several minutes and try again.  If "
           u"this "
           u"button still causes an error, please contact "_s +
           email + u".  You can also manually enter (or paste) the image URL into the correct field."_s;
}

QString titleLimitText()
{
    return u"Your ad title exceeds the eBay limit of 55 characters.  All characters exceeding the 55 "
           u"character "
           u"mark will not appear in the eBay Title field.\r\n\r\n"
           u"NOTE:  The title you entered will still appear in its full form in the actual ad, but the eBay "
           u"title "
           u"will only display the first 55 characters."_s;
}

QString descriptionNoteText()
{
    return u"NOTE:  This message will only appear the first time you run the submitting utility.\r\n\r\n"
           u"After pressing the 'Insert Description' button as you just have, the ad will be automatically "
           u"generated and the pictures will be uploaded if you are using the FTP feature.  As soon as the "
           u"ad is "
           u"generated, it will be correctly inserted into the 'Description' field of the selling form. "
           u"However, "
           u"you MAY NOT see anything in the description box due to eBay's site design (it will still appear "
           u"blank). If you wish to see the HTML code to verify it is inserted, simply click on the 'Enter "
           u"your "
           u"own HTML' tab directly above the description box.  You can then click back on the 'Standard' "
           u"tab and "
           u"a real preview of the ad will appear.  This message was just to inform you so you know the "
           u"description IS actually inserted.  Click OK to generate and insert the ad into the description "
           u"field."_s;
}

QString ftpErrorText()
{
    return u"The automated submitting process cannot continue until the FTP error is resolved.  If the FTP "
           u"feature has worked in the past, there may just be some technical difficulty with the actual FTP "
           u"server, and you should try again in a few minutes.  Please verify that all information in the "
           u"FTP "
           u"settings is valid."_s;
}

QString hostingText()
{
    return u"Listwright has detected that your eBay preferences are set to use eBay's own image hosting "
           u"service.  "
           u"Due to the nature of this option, Listwright cannot insert a picture automatically.  You may "
           u"continue "
           u"submitting the auction manually, or you can modify your eBay preferences and then attempt to "
           u"select a "
           u"picture once again.  To do so:\r\n\r\n"
           u"1.) Click on the 'My eBay' button at the top of the eBay page, then log-in.\r\n"
           u"2.) Once on the 'My eBay' page, click on the 'preferences' tab near the top.\r\n"
           u"3.) Under the 'seller Preferences' section, click on the link titled, 'Update selling picture "
           u"preference'.\r\n"
           u"4.) Select the circle that reads, 'Your own Web hosting', and finally click the 'Submit' "
           u"button.\r\n\r\n"
           u"After selecting to use your own image hosting service, you may need to close and re-launch the "
           u"submitting tool in order for the new settings to take affect."_s;
}

// Light grey marks the button the seller should use next; no style is the system's button face.
void setHighlighted(QPushButton* button, bool highlighted)
{
    button->setStyleSheet(highlighted
                              ? u"QPushButton { background-color: #E0E0E0; border: 1px solid #7a7a7a; "
                                u"border-radius: 3px; }"_s
                              : QString());
}

// Only characters the stored password's shift can give back may be typed.
class PasswordValidator : public QValidator
{
public:
    PasswordValidator(const SubmissionHost& host, QObject* parent) : QValidator(parent), m_host(host) {}
    State validate(QString& input, int&) const override
    {
        for (const QChar c : input)
            if (!m_host.passwordCharAllowed(c))
                return Invalid;
        return Acceptable;
    }

private:
    const SubmissionHost& m_host;
};

} // namespace

frmListAd::frmListAd(SubmissionHost& host, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmListAd>()), m_host(host), m_ds(host.desktop()),
      m_resizer(m_ds)
{
    m_ui->setupUi(this);
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    setMinimumSize(MinimumWidth, MinimumHeight);
    cmdInsertPicture = {m_ui->cmdInsertPicture_0, m_ui->cmdInsertPicture_1};
    m_ui->txteBayPassword->setValidator(new PasswordValidator(host, this));

    m_view = new QWebEngineView(m_ui->wbListAd);
    m_view->setObjectName(u"wbListAdView"_s);
    auto* layout = new QVBoxLayout(m_ui->wbListAd);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_document = std::make_unique<WebDocument>(m_view->page());

    tmrLoading = new QTimer(this);
    tmrLoading->setObjectName(u"tmrLoading"_s);
    connectControls();
    showPasswordNote();
    m_host.watchPasswordHome([this] { showPasswordNote(); });
    showAddressWarning();
    // Laid out at the smallest size; it opens roomier, the controls following their tags.
    m_resizer.InitResizer(this);
    resize(880, 600);
}

frmListAd::~frmListAd()
{
    m_host.watchPasswordHome({});
}

void frmListAd::connectControls()
{
    connect(m_ui->cmdStart, &QPushButton::clicked, this, &frmListAd::cmdStart_Click);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &frmListAd::cmdCancel_Click);
    connect(m_ui->cmdNext, &QPushButton::clicked, this, &frmListAd::cmdNext_Click);
    connect(m_ui->cmdPrevious, &QPushButton::clicked, this, &frmListAd::cmdPrevious_Click);
    connect(m_ui->cmdInsertSellURL, &QPushButton::clicked, this, &frmListAd::cmdInsertSellURL_Click);
    connect(m_ui->cmdSignIn, &QPushButton::clicked, this, &frmListAd::cmdSignIn_Click);
    connect(m_ui->cmdInsertTitle, &QPushButton::clicked, this, &frmListAd::cmdInsertTitle_Click);
    connect(m_ui->cmdInsertDescription, &QPushButton::clicked, this, &frmListAd::cmdInsertDescription_Click);
    for (int i = 0; i < 2; ++i)
        connect(cmdInsertPicture[i], &QPushButton::clicked, this, [this, i] { cmdInsertPicture_Click(i); });
    connect(m_ui->cmdCheckUpdates, &QPushButton::clicked, this, &frmListAd::cmdCheckUpdates_Click);
    connect(m_ui->cmdDownloadUpdates, &QPushButton::clicked, this, &frmListAd::cmdDownloadUpdates_Click);
    for (QLineEdit* box : {m_ui->txteBayUsername, m_ui->txteBayPassword, m_ui->txtSellingURL})
        connect(box, &QLineEdit::textChanged, this, &frmListAd::saveBoxes);
    connect(m_ui->txtSellingURL, &QLineEdit::textChanged, this, &frmListAd::showAddressWarning);

    connect(m_view, &QWebEngineView::loadStarted, this, &frmListAd::wbListAd_DownloadBegin);
    connect(m_view, &QWebEngineView::loadFinished, this, &frmListAd::wbListAd_DocumentComplete);
    connect(tmrLoading, &QTimer::timeout, this, &frmListAd::tmrLoading_Timer);
}

std::function<bool()> frmListAd::guard()
{
    return [window = QPointer<frmListAd>(this), run = m_runGeneration] {
        return window && window->m_runGeneration == run;
    };
}

void frmListAd::showWindow()
{
    if (!m_loaded)
        Form_Load();
    show();
    raise();
    activateWindow();
}

void frmListAd::Form_Load()
{
    m_loaded = true;
    ++m_runGeneration;
    m_account = m_host.loadAccount();
    {
        // The file already holds what the boxes show.
        const QSignalBlocker a(m_ui->txteBayUsername), b(m_ui->txtSellingURL), c(m_ui->txteBayPassword);
        m_ui->txteBayUsername->setText(m_account.userName);
        m_ui->txtSellingURL->setText(m_account.sellingUrl);
        m_ui->txteBayPassword->setText(m_account.password);
        // A long address shows where it begins.
        m_ui->txtSellingURL->setCursorPosition(0);
    }
    showAddressWarning();
    m_host.clearPictureChoice(false);
    m_host.clearPictureChoice(true);
    SubmissionCancelled = false;
    m_startPending = false;
    restoreCaptions();

    const bool available = m_host.updateAvailable();
    m_ui->cmdDownloadUpdates->setEnabled(available);
    m_ui->cmdCheckUpdates->setEnabled(!available);
    setHighlighted(m_ui->cmdDownloadUpdates, false);
    setHighlighted(m_ui->cmdCheckUpdates, false);

    m_ui->cmdStart->show();
    m_ui->cmdStart->setEnabled(true);
    setHighlighted(m_ui->cmdStart, true);
    for (QPushButton* b : {m_ui->cmdSignIn, m_ui->cmdInsertTitle, m_ui->cmdInsertDescription,
                           cmdInsertPicture[0], cmdInsertPicture[1], m_ui->cmdCancel}) {
        b->setEnabled(false);
        setHighlighted(b, false);
    }
    m_ui->cmdNext->setEnabled(true);
    m_ui->cmdPrevious->setEnabled(true);
    setWindowTitle(u"Ad Submission Process"_s);
    setStatus(u"*** Ensure you are connected to the Internet - then click the START button to begin. ***"_s);
    showWelcomePage();
}

void frmListAd::Form_Unload()
{
    if (!m_loaded)
        return;
    m_loaded = false;
    ++m_runGeneration;
    m_startPending = false;
    m_view->stop();
    tmrLoading->stop();
    saveBoxes();
    m_host.showMainWindow();
    m_host.setUpdateAvailable(m_ui->cmdDownloadUpdates->isEnabled());
}

void frmListAd::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    QDialog::closeEvent(event);
}

void frmListAd::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // The status bar sits on the bottom edge, whatever the size.
    QStatusBar* bar = m_ui->statusListAd;
    bar->setGeometry(0, height() - bar->height(), width(), bar->height());
    if (!(windowState() & (Qt::WindowMinimized)) && width() >= MinimumWidth && height() >= MinimumHeight)
        m_resizer.FormResized(this);
}

void frmListAd::setStatus(const QString& text)
{
    m_ui->statusListAd->showMessage(text);
}

void frmListAd::saveBoxes()
{
    m_account.userName = m_ui->txteBayUsername->text();
    m_account.password = m_ui->txteBayPassword->text();
    m_account.sellingUrl = m_ui->txtSellingURL->text();
    m_host.saveAccount(m_account);
}

void frmListAd::showPasswordNote()
{
    m_ui->Label4->setText(passwordNoteText(m_host.passwordInKeyring()));
}

void frmListAd::showAddressWarning()
{
    // An address typed without a scheme loads over plain http as well.
    const QString typed = m_ui->txtSellingURL->text().trimmed();
    m_ui->lblSellingURLWarning->setVisible(!typed.isEmpty() &&
                                           QUrl::fromUserInput(typed).scheme() != u"https");
}

void frmListAd::showWelcomePage()
{
    m_view->load(QUrl::fromLocalFile(m_host.installFolder() + u"/submit.htm"_s));
}

void frmListAd::restoreCaptions()
{
    m_ui->cmdSignIn->setText(u"&Auto Sign-in"_s);
    m_ui->cmdInsertTitle->setText(u"Insert &Title"_s);
    m_ui->cmdInsertDescription->setText(u"Insert &Description"_s);
    cmdInsertPicture[0]->setText(u"Pick &Main Image"_s);
    cmdInsertPicture[1]->setText(u"Pick &Gallery Image"_s);
}

QString frmListAd::locationName() const
{
    const QUrl url = m_view->url();
    // The local welcome page is known by its file name, whatever its title.
    if (url.isLocalFile())
        return url.fileName();
    return m_view->title();
}

void frmListAd::cmdStart_Click()
{
    if (!m_ds.isConnected()) {
        m_ds.messageBox(noConnectionText(), MsgIcon::Information,
                        u"Error: No Internet Connection Detected"_s);
        showWelcomePage();
        return;
    }
    if (m_ui->txtSellingURL->text().isEmpty()) {
        m_ds.messageBox(emptyUrlText(), MsgIcon::Information, u"Error in 'Submit Ad' Field(s)"_s);
        return;
    }
    m_host.hideOtherWindows();
    const auto alive = guard();
    const bool checking = m_host.startUpdateCheck(
        true,
        [this, alive](bool available) {
            if (alive())
                updateChecked(available);
        },
        [this, alive](bool available) {
            // With an update found the seller is told to update first; the main window stays hidden.
            if (alive() && !available)
                continueStart();
        });
    m_ui->cmdCheckUpdates->setEnabled(!checking && m_ui->cmdCheckUpdates->isEnabled());
    if (!checking)
        continueStart();
}

void frmListAd::continueStart()
{
    m_host.writeUpdateDate();
    m_ui->cmdStart->setEnabled(false);
    setHighlighted(m_ui->cmdStart, false);
    m_ui->cmdCancel->setEnabled(true);
    const QUrl url = QUrl::fromUserInput(m_ui->txtSellingURL->text().trimmed());
    if (!url.isValid()) {
        startFailed();
        return;
    }
    // Start is over once the selling address's first page has loaded or failed.
    m_startPending = true;
    m_view->load(url);
}

void frmListAd::startFailed()
{
    m_startPending = false;
    if (!SubmissionCancelled)
        m_ds.messageBox(startFailedText(m_host.auctionHome()), MsgIcon::Critical, ErrorTitle);
    m_ui->cmdStart->show();
    m_ui->cmdStart->setEnabled(true);
    showWelcomePage();
}

void frmListAd::cmdCancel_Click()
{
    m_ds.messageBox(cancelText(), MsgIcon::Information, u"Cancel Submission"_s);
    SubmissionCancelled = true;
    m_startPending = false;
    ++m_runGeneration;
    m_view->stop();
    showWelcomePage();
    m_host.clearPictureChoice(false);
    m_host.clearPictureChoice(true);
    restoreCaptions();
    m_ui->cmdStart->show();
    m_ui->cmdStart->setEnabled(true);
    for (QPushButton* b : {m_ui->cmdSignIn, m_ui->cmdInsertTitle, m_ui->cmdInsertDescription,
                           cmdInsertPicture[0], cmdInsertPicture[1]}) {
        b->setEnabled(false);
        setHighlighted(b, false);
    }
    m_ui->cmdCancel->setEnabled(false);
    m_host.showMainWindow();
}

void frmListAd::cmdNext_Click()
{
    const auto alive = guard();
    m_document->clickNamed(u"ButtonContinue"_s, [this, alive](bool ok) {
        if (alive() && !ok)
            m_ds.messageBox(navigationFailedText(true, m_host.supportEmail()), MsgIcon::Critical, ErrorTitle);
    });
}

void frmListAd::cmdPrevious_Click()
{
    const auto alive = guard();
    m_document->clickNamed(u"ButtonBack"_s, [this, alive](bool ok) {
        if (alive() && !ok)
            m_ds.messageBox(navigationFailedText(false, m_host.supportEmail()), MsgIcon::Critical,
                            ErrorTitle);
    });
}

void frmListAd::cmdInsertSellURL_Click()
{
    m_ui->txtSellingURL->setText(m_host.defaultSellingUrl());
}

void frmListAd::wbListAd_DownloadBegin()
{
    ++m_pageGeneration;
    tmrLoading->setInterval(LoadingInterval);
    tmrLoading->start();
    LoadingDots.clear();
}

void frmListAd::tmrLoading_Timer()
{
    LoadingDots += u" *"_s;
    if (LoadingDots == u" * * * *")
        LoadingDots = u" *"_s;
    if (StatusText.isEmpty())
        StatusText = u"Loading Page"_s;
    setStatus(u"Status: "_s + StatusText + LoadingDots);
}

void frmListAd::wbListAd_DocumentComplete(bool ok)
{
    // The browser's "Done".
    const QString name = locationName();
    if (name != u"submit.htm")
        setWindowTitle(u"Ad Submission Process - { "_s + name + u" }"_s);
    tmrLoading->stop();
    StatusText = u"Loading Page"_s;
    if (IdleStatusText.isEmpty())
        IdleStatusText = u"Waiting For Your Input"_s;
    if (!m_ui->cmdStart->isEnabled())
        setStatus(u"Status: "_s + IdleStatusText);

    const bool welcome = name == u"submit" || name == u"submit.htm";
    if (m_startPending && !welcome) {
        m_startPending = false;
        if (!ok) {
            startFailed();
            return;
        }
    }
    // Page recognition.
    if (!needsRootHtml(name)) {
        applyPage(recognisePage(name));
        return;
    }
    const quint64 page = m_pageGeneration;
    const auto alive = guard();
    m_document->rootHtml([this, alive, page, name](std::optional<QString> html) {
        if (alive() && page == m_pageGeneration)
            applyPage(recognisePage(name, html.value_or(QString())));
    });
}

void frmListAd::applyPage(SellingPage page)
{
    const ButtonRow row = buttonRow(page);
    auto apply = [](QPushButton* b, ButtonState state, const QString& caption) {
        switch (state) {
        case ButtonState::Unchanged:
            return;
        case ButtonState::Hidden:
            b->hide();
            setHighlighted(b, false);
            return;
        case ButtonState::Off:
            b->setEnabled(false);
            setHighlighted(b, false);
            return;
        case ButtonState::Highlighted:
            b->setEnabled(true);
            setHighlighted(b, true);
            b->setText(caption);
            return;
        case ButtonState::Disabled:
            b->setEnabled(false);
            return;
        case ButtonState::Enabled:
            b->setEnabled(true);
            return;
        }
    };
    apply(m_ui->cmdStart, row.start, {});
    apply(m_ui->cmdSignIn, row.signIn, u"&Auto Sign-in"_s);
    apply(m_ui->cmdInsertTitle, row.title, u"Insert &Title"_s);
    apply(m_ui->cmdInsertDescription, row.description, u"Insert &Description"_s);
    apply(cmdInsertPicture[0], row.pictures, u"Pick &Main Image"_s);
    apply(cmdInsertPicture[1], row.pictures, u"Pick &Gallery Image"_s);
    apply(m_ui->cmdPrevious, row.back, {});
    apply(m_ui->cmdNext, row.next, {});
    if (page == SellingPage::Confirmation) {
        // Nothing is left to cancel while the seller reads the news.
        m_view->stop();
        m_ui->cmdCancel->setEnabled(false);
        m_ds.messageBox(
            u"The auction has been submitted successfully!  You may now close this window and return to "
            u"the main Listwright window."_s,
            MsgIcon::Information, u"Congratulations!"_s);
    }
    Q_EMIT pageRecognised(page);
}

void frmListAd::succeeded(QPushButton* button)
{
    setHighlighted(button, false);
    button->setText(Success);
}

void frmListAd::cmdSignIn_Click()
{
    const QString user = m_ui->txteBayUsername->text();
    const QString password = m_ui->txteBayPassword->text();
    if (user.isEmpty() || password.isEmpty()) {
        m_ds.messageBox(
            u"Listwright cannot automatically sign you in unless you enter your eBay username and "
            u"password.  You can do so now, and then re-click this button to automatically sign-in.  "
            u"Otherwise you can proceed to login manually."_s,
            MsgIcon::Information, u"Error: No username or password specified"_s);
        return;
    }
    // The password goes only to the site's own pages, and only over an encrypted connection.
    const QUrl page = m_view->url();
    switch (signInPage(page)) {
    case SignInPage::NotSecure:
        m_ds.messageBox(notSecureText(), MsgIcon::Exclamation, u"Error: Sign-in Page Not Secure"_s);
        return;
    case SignInPage::OtherHost:
        m_ds.messageBox(otherHostText(page.host()), MsgIcon::Exclamation,
                        u"Error: Not eBay's Sign-in Page"_s);
        return;
    case SignInPage::Allowed:
        break;
    }
    tmrLoading->start(LoadingInterval);
    StatusText = u"Automatically Signing In"_s;
    m_ui->cmdSignIn->setEnabled(false);
    const auto alive = guard();
    PageDocument& doc = *m_document;
    doc.fillSignIn(pageOrigin(page), user, password, [this, alive, &doc](bool ok) {
        if (!alive())
            return;
        if (!ok)
            return signInFailed();
        doc.forms([this, alive, &doc](std::optional<QList<FormElements>> forms) {
            if (!alive())
                return;
            const std::optional<ElementPosition> button = forms ? findSignInButton(*forms) : std::nullopt;
            // Nothing to click is a failure, not a click on whatever was found before.
            if (!button)
                return signInFailed();
            m_signInPosition = *button;
            doc.clickElement(button->form, button->element, [this, alive](bool ok) {
                if (!alive())
                    return;
                if (!ok)
                    return signInFailed();
                succeeded(m_ui->cmdSignIn);
            });
        });
    });
}

void frmListAd::signInFailed()
{
    if (!SubmissionCancelled) {
        m_ds.messageBox(signInFailedText(m_host.supportEmail()), MsgIcon::Critical, ErrorTitle);
        m_ui->cmdSignIn->setText(u"&Auto Sign-in"_s);
    }
    m_ui->cmdSignIn->setEnabled(true);
}

void frmListAd::cmdInsertTitle_Click()
{
    const AuctionTitle title = auctionTitle(m_host.adTitle());
    if (title.cut)
        m_ds.messageBox(titleLimitText(), MsgIcon::Information, u"Title Exceeds Character Limit"_s);
    const auto alive = guard();
    m_document->setValue(0, u"ItemTitle"_s, title.text, [this, alive](bool ok) {
        if (!alive())
            return;
        if (!ok)
            return titleFailed();
        setStatus(u"Status: Successfully Inserted Auction Title!"_s);
        m_ui->cmdInsertTitle->setEnabled(false);
        succeeded(m_ui->cmdInsertTitle);
    });
}

void frmListAd::titleFailed()
{
    m_ds.messageBox(titleFailedText(m_host.supportEmail()), MsgIcon::Critical, ErrorTitle);
    setHighlighted(m_ui->cmdInsertTitle, true);
    m_ui->cmdInsertTitle->setText(u"Insert &Title"_s);
}

void frmListAd::cmdInsertDescription_Click()
{
    if (m_account.descriptionNotePending) {
        m_ds.messageBox(descriptionNoteText(), MsgIcon::Information, u"Note About Inserting Description"_s);
        m_account.descriptionNotePending = false;
        m_host.saveAccount(m_account);
    }
    setStatus(u"Status: Generating Ad..."_s);
    const auto alive = guard();
    m_host.generateForSubmission([this, alive](DescriptionOutcome outcome, const QString& page) {
        if (!alive())
            return;
        switch (outcome) {
        case DescriptionOutcome::UploadAborted:
            m_ds.messageBox(ftpErrorText(), MsgIcon::Information, u"Listwright - FTP Error"_s);
            return;
        case DescriptionOutcome::Refused:
            return;
        case DescriptionOutcome::Generated:
            break;
        }
        m_document->setValue(0, u"ItemDescription"_s, page, [this, alive](bool ok) {
            if (!alive())
                return;
            if (!ok)
                return descriptionFailed();
            setStatus(
                u"Status: Successfully Inserted Auction Description (May not appear on current form)!"_s);
            m_ui->cmdInsertDescription->setEnabled(false);
            succeeded(m_ui->cmdInsertDescription);
        });
    });
}

void frmListAd::descriptionFailed()
{
    m_ds.messageBox(descriptionFailedText(m_host.supportEmail()), MsgIcon::Critical, ErrorTitle);
    setHighlighted(m_ui->cmdInsertDescription, true);
    m_ui->cmdInsertDescription->setText(u"Insert &Description"_s);
}

void frmListAd::cmdInsertPicture_Click(int index)
{
    if (index < 0 || index > 1)
        return;
    const auto alive = guard();
    m_document->rootHtml([this, alive, index](std::optional<QString> html) {
        if (!alive())
            return;
        if (!html)
            return pictureFailed();
        if (usesSiteHosting(*html)) {
            m_ds.messageBox(hostingText(), MsgIcon::Information, u"Unable To Insert Image(s)"_s);
            return;
        }
        insertPicture(index);
    });
}

void frmListAd::insertPicture(int index)
{
    const bool gallery = index == 1;
    const QString choice = m_host.pictureChoice(gallery);
    if (choice.isEmpty()) {
        m_host.openPicturePicker(gallery);
        return;
    }
    const QString address = sellingPictureAddress(choice, m_host.ftpUploadOn(), m_host.webImageAddress());
    const auto alive = guard();
    PageDocument& doc = *m_document;
    auto done = [this, alive, gallery, index] {
        if (!alive())
            return;
        m_host.clearPictureChoice(gallery);
        succeeded(cmdInsertPicture[index]);
    };
    doc.setValue(0, gallery ? u"GalleryURL"_s : u"PictureURL"_s, address,
                 [this, alive, gallery, &doc, done](bool ok) {
                     if (!alive())
                         return;
                     if (!ok)
                         return pictureFailed();
                     if (!gallery)
                         return done();
                     doc.forms([this, alive, &doc, done](std::optional<QList<FormElements>> forms) {
                         if (!alive())
                             return;
                         const std::optional<ElementPosition> option =
                             forms ? findGalleryOption(*forms) : std::nullopt;
                         if (!option)
                             return pictureFailed();
                         m_signInPosition = *option;
                         const QString type = (*forms)[option->form][option->element].type;
                         if (type != u"radio" && type != u"checkbox")
                             return done();
                         doc.checkOption(option->form, option->element, [this, alive, done](bool ok) {
                             if (!alive())
                                 return;
                             if (!ok)
                                 return pictureFailed();
                             done();
                         });
                     });
                 });
}

void frmListAd::pictureFailed()
{
    m_ds.messageBox(pictureFailedText(m_host.supportEmail()), MsgIcon::Critical, ErrorTitle);
}

void frmListAd::cmdCheckUpdates_Click()
{
    const auto alive = guard();
    const bool started = m_host.startUpdateCheck(false,
                                                 [this, alive](bool available) {
                                                     if (alive())
                                                         updateChecked(available);
                                                 },
                                                 {});
    if (started) {
        m_ui->cmdCheckUpdates->setEnabled(false);
        setHighlighted(m_ui->cmdCheckUpdates, false);
    }
}

void frmListAd::updateChecked(bool available)
{
    if (available)
        m_ui->cmdDownloadUpdates->setEnabled(true);
    else
        m_ui->cmdCheckUpdates->setEnabled(true);
}

void frmListAd::cmdDownloadUpdates_Click()
{
    m_host.downloadUpdates();
}

} // namespace lw
