#include "settings/ui/frm_preferences.h"

#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/password_shift.h"
#include "core/text_file.h"
#include "core/twips.h"
#include "pictures/picture_slots.h"
#include "pictures/upload_plan.h"
#include "settings/preferences_commands.h"
#include "settings/template_commands.h"
#include "settings/ui/ui_frm_preferences.h"
#include "support/ui/form_support.h"

#include <QCloseEvent>
#include <QIcon>
#include <QListWidgetItem>
#include <QPixmap>
#include <QSignalBlocker>
#include <QStyle>
#include <QValidator>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

using F = Preferences::Field;

// The room beside the template list for a template's picture.
constexpr QSize SampleSize(240, 180);
// The host is asked once the seller has stopped typing its name.
constexpr auto ProbeDelay = std::chrono::milliseconds(600);

QString uspsNote()
{
    return u"In order to use the USPS shipping calculator, simply ensure that the correct zipcode that the "
           u"item "
           u"will be shipped from is entered above, and then enter the correct weight of the item in the ad "
           u"creation form."_s;
}

QString upsNote()
{
    return u"To use the UPS calculator, fill in all fields below.  Leave the insurance at $100 unless your "
           u"item "
           u"is of higher value."_s;
}

// Only characters the stored password's shift can give back may be typed.
class PasswordValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        for (QChar c : input)
            if (!passwordCharAllowed(c))
                return Invalid;
        return Acceptable;
    }
};

struct FtpHelp
{
    QString title;
    QString text;
};

FtpHelp ftpHelp(int index)
{
    switch (index) {
    case 0:
        return {
            u"FTP Server Help"_s,
            u"This is the actual address to the computer (host) that you will be connecting to, and "
            u"uploading "
            u"your images onto.  There are a variety of different formats that FTP addresses are in, some "
            u"examples are provided below.  If you are unsure of your FTP address, please consult your the "
            u"owner of the hosting service.\r\n\r\n"
            u"Example 1: ftp.myhost.com\r\n"
            u"Example 2: members.myhost.com\r\n"
            u"Example 3: 192.168.0.10"_s};
    case 1:
        return {u"FTP Username Help"_s,
                u"This is the username that is used in conjunction with your password to connect to the FTP "
                u"server you specify.\r\n\r\n"
                u"Example 1: jsmith\r\n"
                u"Example 2: jsmith@myhost.com"_s};
    case 2:
        return {
            u"FTP Password Information"_s,
            u"This is the password that is used in conjunction with your username to connect to the FTP "
            u"server you specify.  Please note that passwords are CaSe sensitive, so you must use the exact "
            u"password and case that was provided to your by your host.\r\n\r\n"
            u"Example: Ab3dE7gH"_s};
    case 3:
        return {
            u"FTP Remote URL Information"_s,
            u"This field contains the location of the directory you place your files on your server in "
            u"relationship to the login directory.  Once Listwright logs onto your FTP Server, it will "
            u"change "
            u"to the directory you specify in this field.  If you are in the directory you want to store "
            u"your "
            u"images in when you first logon to your FTP account, then you do not need to put anything in "
            u"this "
            u"field.  If you change into a directory when you logon to your FTP site, then you should put "
            u"that "
            u"directory or directories into this field.  The path should not contain a full string including "
            u"www.etc... It should only contain the subdirectories in relationship to the root logon "
            u"directory.\r\n\r\n"
            u"Example: /www/images"_s};
    case 4:
        return {u"FTP Port Information"_s,
                u"This is the port number that your FTP server uses to connect with.  The default port is "
                u"21, and "
                u"will work fine in most conditions.  If you are unable to upload pictures with this port, "
                u"please "
                u"consult your server administrator for the correct port number"_s};
    case 5:
        return {
            u"Web Image URL Information"_s,
            u"This field is used to correctly display your images in your auction ad.  Listwright will take "
            u"the name of your image files, and place them at the end of this path.  Therefore, this field "
            u"needs to contain everything that a link to your graphic would need except for the actual "
            u"filename at the end.  You MUST include a trailing foward slash for this to work properly."
            u"\r\n\r\n"
            u"Example:  If your actual image is located at: http://www.myhost.com/images/item.jpg then in "
            u"this field you would enter: http://www.myhost.com/images/"_s};
    default:
        return {
            u"Passive Mode Information"_s,
            u"The PASSIVE option is for those of you that are currently running a firewall of any kind.  If "
            u"you experience any types of problems while trying to upload images to the FTP server, and are "
            u"running a firewall, check this box to bypass firewall restrictions while uploading.  If you do "
            u"not experience any problems while transferring files, you do not need to worry about this "
            u"option."_s};
    }
}

// The opening snapshot in the order Cancel restores it; the template selection
// comes between the terms and the FTP server.
constexpr std::array SnapshotBefore = {F::AuctionId, F::Email, F::Website, F::Terms};
constexpr std::array SnapshotAfter = {
    F::FtpServer,   F::FtpUserName,  F::FtpPassword,    F::FtpRemoteFolder, F::FtpPort,
    F::WebUrl,      F::FtpAccess,    F::Passive,        F::ShowCalc,        F::ZipCode,
    F::ShipComment, F::UseUsps,      F::UseUps,         F::UpsLength,       F::UpsWidth,
    F::UpsHeight,   F::UpsInsurance, F::UpsResidential, F::AlwaysUseColor,  F::PreparePictures,
    F::LongestSide};

bool isFlag(F f)
{
    switch (f) {
    case F::FtpAccess:
    case F::Passive:
    case F::ShowCalc:
    case F::UseUsps:
    case F::UseUps:
    case F::UpsResidential:
    case F::AlwaysUseColor:
    case F::PreparePictures:
        return true;
    default:
        return false;
    }
}

} // namespace

frmPreferences::frmPreferences(SharedState& state, PreferencesWindowState& window, DesktopServices& ds,
                               QWidget* parent)
    : QDialog(parent), m_state(state), m_window(window), m_ds(ds),
      m_ui(std::make_unique<Ui::frmPreferences>())
{
    m_ui->setupUi(this);
    // On a short screen (a laptop's at 125 %) the tabs scroll; OK, Cancel and Help stay in view.
    fitScreen(this, m_ui->scrPreferences, size(), screenRoom(this));
    // The snapshot is taken when the seller comes to the window, not when one of its own
    // message boxes or dialogs hands it back.
    connect(new OwnedWindowWatcher(this), &OwnedWindowWatcher::arrived, this, &frmPreferences::Form_Activate);
    m_cmdFTPHelp = controlArray<QPushButton, 7>(this, u"cmdFTPHelp"_s);
    m_ui->txtPassword->setValidator(new PasswordValidator(m_ui->txtPassword));
    m_ui->lstTemplates->setIconSize(QSize(56, 42));
    const Ui::frmPreferences& ui = *m_ui;
    m_ftpControls = {ui.txtFTPServer, ui.txtUserName, ui.txtPassword, ui.txtRemoteFolder,
                     ui.txtPort,      ui.txtWebURL,   ui.chkPassive,  ui.chkPreparePictures};
    m_calculatorControls = {ui.txtZipCode, ui.Label3_0, ui.Label3_1,     ui.txtShipComment, ui.optUSPS,
                            ui.optUPS,     ui.Frame2,   ui.lblCalcNotes, ui.frmUPSShip,     ui.Label2,
                            ui.Label4,     ui.Label5,   ui.Label6,       ui.txtUPSL,        ui.txtUPSW,
                            ui.txtUPSH,    ui.txtUPSI,  ui.chkUPSR};

    m_probeDelay.setSingleShot(true);
    m_probeDelay.setInterval(ProbeDelay);
    connect(&m_probeDelay, &QTimer::timeout, this, [this] {
        const Preferences& p = m_state.prefs;
        m_probe.start(serverHost(p.text(F::FtpServer)), ftpPortNumber(p.text(F::FtpPort)));
    });
    connect(&m_probe, &SecurityProbe::finished, this,
            [this](const QString& host, int port, SecureOffers offers) {
                if (host + u':' + QString::number(port) != m_offersHost)
                    return;
                m_offers = offers;
                refreshServerNotes();
            });

    bindControls();
    bindModels();
    refreshAll();
    // The loader hides the UPS parameters while the calculator is off.
    if (!m_state.prefs.flag(F::ShowCalc))
        m_ui->frmUPSShip->setVisible(false);
    m_window.openingSelection = m_state.templates.selectedIndex();
}

frmPreferences::~frmPreferences() = default;

void frmPreferences::bindControls()
{
    const Ui::frmPreferences& ui = *m_ui;
    const std::pair<QLineEdit*, F> edits[] = {{ui.txtAuctionID, F::AuctionId},
                                              {ui.txtEmail, F::Email},
                                              {ui.txtWebsite, F::Website},
                                              {ui.txtFTPServer, F::FtpServer},
                                              {ui.txtUserName, F::FtpUserName},
                                              {ui.txtPassword, F::FtpPassword},
                                              {ui.txtRemoteFolder, F::FtpRemoteFolder},
                                              {ui.txtPort, F::FtpPort},
                                              {ui.txtWebURL, F::WebUrl},
                                              {ui.txtZipCode, F::ZipCode},
                                              {ui.txtShipComment, F::ShipComment},
                                              {ui.txtUPSL, F::UpsLength},
                                              {ui.txtUPSW, F::UpsWidth},
                                              {ui.txtUPSH, F::UpsHeight},
                                              {ui.txtUPSI, F::UpsInsurance}};
    for (const auto& [edit, field] : edits) {
        m_lineEdits[static_cast<int>(field)] = edit;
        connect(edit, &QLineEdit::textChanged, this,
                [this, f = field](const QString& text) { m_state.prefs.setText(f, text); });
    }
    const std::pair<QCheckBox*, F> boxes[] = {{ui.chkAlwaysUseColor, F::AlwaysUseColor},
                                              {ui.chkIncludeEmail, F::IncludeEmail},
                                              {ui.chkIncludeWebsite, F::IncludeWebsite},
                                              {ui.chkIncludeMEPage, F::IncludeMePage},
                                              {ui.chkIncludeAuctions, F::IncludeAuctions},
                                              {ui.chkWindowState, F::WindowState},
                                              {ui.chkFTPAccess, F::FtpAccess},
                                              {ui.chkPassive, F::Passive},
                                              {ui.chkShowCalc, F::ShowCalc},
                                              {ui.chkUPSR, F::UpsResidential},
                                              {ui.chkPreparePictures, F::PreparePictures}};
    for (const auto& [box, field] : boxes) {
        m_checkBoxes[static_cast<int>(field)] = box;
        connect(box, &QCheckBox::toggled, this, [this, f = field](bool on) { m_state.prefs.setFlag(f, on); });
    }
    // The form fills the lists before these bindings, so filling them leaves the model alone.
    const std::pair<QComboBox*, F> lists[] = {{ui.cboAuctionSite, F::AuctionSite}, {ui.cboFont, F::Font}};
    for (const auto& [list, field] : lists) {
        m_indexLists[static_cast<int>(field)] = list;
        connect(list, &QComboBox::currentIndexChanged, this, [this, f = field](int index) {
            if (index >= 0)
                m_state.prefs.setIndex(f, index);
        });
    }
    connect(ui.txtLongestSide, &QSpinBox::valueChanged, this,
            [this](int side) { m_state.prefs.setIndex(F::LongestSide, side); });
    connect(ui.txtTerms, &QPlainTextEdit::textChanged, this,
            [this] { m_state.prefs.setText(F::Terms, toModelText(m_ui->txtTerms->toPlainText())); });
    connect(ui.cboTermsSize, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_state.prefs.setTermsSize(index + 1);
    });
    // Only the seller's own click brings up the one-time notice.
    connect(ui.chkIncludeWebsite, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            websiteLinkNotice(m_state, m_ds);
    });
    connect(ui.lstTemplates, &QListWidget::currentRowChanged, this,
            [this](int row) { m_state.templates.setSelectedIndex(row); });
    connect(ui.optUSPS, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_state.prefs.setFlag(F::UseUsps, true);
    });
    connect(ui.optUPS, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_state.prefs.setFlag(F::UseUps, true);
    });

    connect(ui.cmdTermsColor, &QPushButton::clicked, this, &frmPreferences::cmdTermsColor_Click);
    connect(ui.cmdSample, &QPushButton::clicked, this, [this] { showFullSizedPreview(m_state, m_ds); });
    for (int i = 0; i < int(m_cmdFTPHelp.size()); ++i)
        connect(m_cmdFTPHelp[i], &QPushButton::clicked, this, [this, i] { cmdFTPHelp_Click(i); });
    connect(ui.cmdPrefOK, &QPushButton::clicked, this, &frmPreferences::cmdPrefOK_Click);
    connect(ui.cmdPrefCancel, &QPushButton::clicked, this, &frmPreferences::cmdPrefCancel_Click);
    connect(ui.cmdPrefHelp, &QPushButton::clicked, this, &frmPreferences::cmdPrefHelp_Click);
}

void frmPreferences::bindModels()
{
    Preferences& p = m_state.prefs;
    connect(&p, &Preferences::changed, this, [this](Preferences::Field field) { refreshField(field); });
    connect(&p, &Preferences::termsColorChanged, this, &frmPreferences::refreshTermsColor);
    connect(&p, &Preferences::termsSizeChanged, this, &frmPreferences::refreshTermsSize);
    connect(&m_state.templates, &TemplateCatalogue::filesChanged, this, &frmPreferences::refreshTemplateList);
    connect(&m_state.templates, &TemplateCatalogue::selectionChanged, this,
            &frmPreferences::refreshTemplateSelection);
    connect(&m_state, &SharedState::templateDisplayChanged, this, &frmPreferences::refreshTemplateDisplay);
    connect(&m_state.passwords, &StoredPasswords::homeChanged, this, [this](Secret s) {
        if (s == Secret::Ftp)
            refreshPasswordNote();
    });
}

void frmPreferences::refreshPasswordNote()
{
    m_ui->lblPasswordNote->setText(
        m_state.passwords.home(Secret::Ftp) == PasswordHome::Keyring
            ? u"Your FTP password is kept in your desktop's keyring."_s
            : u"No desktop keyring was found: your FTP password is kept scrambled (not encrypted) in a "
              u"file only you can read."_s);
}

void frmPreferences::refreshField(Field field)
{
    const Preferences& p = m_state.prefs;
    const int i = static_cast<int>(field);
    if (QLineEdit* edit = m_lineEdits[i]) {
        showText(edit, p.text(field));
    } else if (QCheckBox* box = m_checkBoxes[i]) {
        const QSignalBlocker block(box);
        box->setChecked(p.flag(field));
    } else if (QComboBox* list = m_indexLists[i]) {
        const QSignalBlocker block(list);
        list->setCurrentIndex(p.index(field));
    } else if (field == F::LongestSide) {
        const QSignalBlocker block(m_ui->txtLongestSide);
        m_ui->txtLongestSide->setValue(p.index(field));
    } else if (field == F::Terms) {
        if (toModelText(m_ui->txtTerms->toPlainText()) != p.text(F::Terms)) {
            const QSignalBlocker block(m_ui->txtTerms);
            m_ui->txtTerms->setPlainText(toWidgetText(p.text(F::Terms)));
        }
    }
    switch (field) {
    case F::PreparePictures:
        applyFtpRule();
        break;
    case F::FtpAccess:
        applyFtpRule();
        applyBrowseRule(m_state);
        refreshServerNotes();
        break;
    case F::FtpServer:
        applyPassiveRule();
        refreshServerNotes();
        break;
    case F::FtpPort:
        refreshServerNotes();
        break;
    case F::Passive:
        applyPassiveRule();
        break;
    case F::IncludeAuctions:
        applyAuctionsRule();
        break;
    case F::ShowCalc:
        applyCalculatorRule();
        break;
    case F::UseUsps:
    case F::UseUps:
        refreshOptions();
        applyCalculatorChoice();
        break;
    default:
        break;
    }
}

void frmPreferences::refreshAll()
{
    for (int i = 0; i < static_cast<int>(F::Count); ++i) {
        const auto field = static_cast<F>(i);
        if (field != F::UseUsps && field != F::UseUps)
            refreshField(field);
    }
    refreshOptions();
    m_ui->lblCalcNotes->setText(m_state.prefs.flag(F::UseUps) ? upsNote() : uspsNote());
    m_ui->frmUPSShip->setVisible(m_state.prefs.flag(F::UseUps));
    refreshTermsColor();
    refreshTermsSize();
    refreshPasswordNote();
    refreshTemplateList();
    refreshTemplateDisplay();
}

void frmPreferences::refreshOptions()
{
    // Neither option may be selected for a moment while the loader works, which
    // an exclusive pair would refuse to show.
    const QSignalBlocker blockUsps(m_ui->optUSPS);
    const QSignalBlocker blockUps(m_ui->optUPS);
    m_ui->optUSPS->setAutoExclusive(false);
    m_ui->optUPS->setAutoExclusive(false);
    m_ui->optUSPS->setChecked(m_state.prefs.flag(F::UseUsps));
    m_ui->optUPS->setChecked(m_state.prefs.flag(F::UseUps));
    m_ui->optUSPS->setAutoExclusive(true);
    m_ui->optUPS->setAutoExclusive(true);
}

void frmPreferences::applyCalculatorChoice()
{
    // Only a selected option changes the notes and the UPS parameters.
    if (m_state.prefs.flag(F::UseUps)) {
        m_ui->lblCalcNotes->setText(upsNote());
        m_ui->frmUPSShip->setVisible(true);
    } else if (m_state.prefs.flag(F::UseUsps)) {
        m_ui->lblCalcNotes->setText(uspsNote());
        m_ui->frmUPSShip->setVisible(false);
    }
}

void frmPreferences::applyFtpRule()
{
    const bool on = m_state.prefs.flag(F::FtpAccess);
    for (QWidget* w : m_ftpControls)
        w->setEnabled(on);
    const bool prepare = on && m_state.prefs.flag(F::PreparePictures);
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_ui->lblLongestSide, m_ui->txtLongestSide, m_ui->lblLongestSidePx})
        w->setEnabled(prepare);
    applyPassiveRule();
}

void frmPreferences::applyPassiveRule()
{
    const Preferences& p = m_state.prefs;
    const QString server = p.text(F::FtpServer);
    const ServerProtocol protocol = serverProtocol(server);
    // FTP over TLS always goes passive and SFTP has no such mode: the box shows what happens.
    const QSignalBlocker block(m_ui->chkPassive);
    m_ui->chkPassive->setChecked(protocol == ServerProtocol::Ftps || p.flag(F::Passive));
    m_ui->chkPassive->setEnabled(p.flag(F::FtpAccess) && protocol != ServerProtocol::Ftps &&
                                 protocol != ServerProtocol::Sftp);
    m_ui->lblPassiveNote->setText(passiveNote(server));
    m_ui->lblPassiveNote->setEnabled(p.flag(F::FtpAccess));
}

void frmPreferences::refreshServerNotes()
{
    const Preferences& p = m_state.prefs;
    const QString server = p.text(F::FtpServer);
    const QString host = serverHost(server);
    const int port = ftpPortNumber(p.text(F::FtpPort));
    const QString key = host + u':' + QString::number(port > 0 ? port : 21);
    if (key != m_offersHost) {
        m_offersHost = key;
        m_offers.reset();
        m_probe.abort();
        m_probeDelay.stop();
    }
    const bool access = p.flag(F::FtpAccess);
    const bool plain = access && !host.isEmpty() && serverProtocol(server) == ServerProtocol::Ftp;
    // Only while the seller looks at the window: a start-up makes no connection of its own.
    if (plain && isVisible() && !m_offers && !m_probe.isRunning() && !m_probeDelay.isActive())
        m_probeDelay.start();
    m_ui->lblFTPWarning->setText(access ? plainFtpWarning(server, m_offers) : QString());
}

void frmPreferences::applyAuctionsRule()
{
    const bool on = m_state.prefs.flag(F::IncludeAuctions);
    m_ui->cboAuctionSite->setEnabled(on);
    m_ui->lblNote->setEnabled(on);
}

void frmPreferences::applyCalculatorRule()
{
    const bool on = m_state.prefs.flag(F::ShowCalc);
    for (QWidget* w : m_calculatorControls)
        w->setEnabled(on);
}

void frmPreferences::refreshTemplateList()
{
    const QSignalBlocker block(m_ui->lstTemplates);
    m_ui->lstTemplates->clear();
    // Each entry shows its template's picture; the number is the position, as everywhere else.
    const QStringList& files = m_state.templates.files();
    for (int i = 0; i < files.size(); ++i)
        new QListWidgetItem(QIcon(templatePicturePath(i + 1)), files[i], m_ui->lstTemplates);
    refreshTemplateSelection();
}

void frmPreferences::refreshTemplateSelection()
{
    const QSignalBlocker block(m_ui->lstTemplates);
    const int index = m_state.templates.selectedIndex();
    m_ui->lstTemplates->setCurrentRow(index);
    if (index < 0)
        m_ui->lstTemplates->clearSelection();
}

void frmPreferences::refreshTemplateDisplay()
{
    const TemplateDisplay& display = m_state.templateDisplay;
    // The large picture beside the thumbnail is shown at the size the seller can judge a design
    // from, sharp at any scale; the small GIF alone is shown as it is.
    const QString path = sharperPicturePath(display.thumbnailPath);
    QPixmap picture(path);
    if (path != display.thumbnailPath && !picture.isNull()) {
        const qreal scale = devicePixelRatioF();
        const QSize shown = picture.size().scaled(SampleSize, Qt::KeepAspectRatio);
        picture = picture.scaled(shown * scale, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        picture.setDevicePixelRatio(scale);
    }
    m_ui->imgSample->setPixmap(picture);
    if (!picture.isNull()) {
        // Centred over a space 1710 twips wide that starts 2520 twips into the frame.
        const QSize size = picture.deviceIndependentSize().toSize();
        const int widthTwips = size.width() * TwipsPerPixel;
        const int left = (2520 + (1710 - widthTwips) / 2) / TwipsPerPixel;
        m_ui->imgSample->setGeometry(left, m_ui->imgSample->y(), size.width(), size.height());
    }
    m_ui->lblCustom->setVisible(display.customVisible);
    m_ui->lblTemplateInformation->setText(toWidgetText(display.information));
}

void frmPreferences::refreshTermsColor()
{
    m_ui->shpTermsColor->setStyleSheet(swatchStyle(m_state.prefs.termsColor().value));
    showButtonColor(m_ui->cmdTermsColor, m_state.prefs.termsColor().value);
}

void frmPreferences::refreshTermsSize()
{
    const QSignalBlocker block(m_ui->cboTermsSize);
    m_ui->cboTermsSize->setCurrentIndex(m_state.prefs.termsSize() - 1);
}

void frmPreferences::showOnTab(int tab)
{
    show();
    raise();
    activateWindow();
    m_ui->tabPreferences->setCurrentIndex(tab);
}

void frmPreferences::Form_Activate()
{
    const Preferences& p = m_state.prefs;
    m_snapshot.clear();
    auto take = [&](F f) {
        m_snapshot.push_back({f, isFlag(f)             ? QVariant(p.flag(f))
                                 : f == F::LongestSide ? QVariant(p.index(f))
                                                       : QVariant(p.text(f))});
    };
    for (F f : SnapshotBefore)
        take(f);
    m_snapshotSelection = m_state.templates.selectedIndex();
    for (F f : SnapshotAfter)
        take(f);
    m_hasSnapshot = true;
    m_window.openingSelection = m_state.templates.selectedIndex();
    applyFtpRule();
    refreshServerNotes();
}

void frmPreferences::cmdPrefOK_Click()
{
    if (lw::cmdPrefOK_Click(m_state, m_window, m_ds)) {
        hide();
        return;
    }
    m_ui->tabPreferences->setCurrentIndex(m_window.currentTab);
    const Preferences& p = m_state.prefs;
    const bool zipFailed = m_window.currentTab == 2 && p.flag(F::ShowCalc) && !isNumber(p.text(F::ZipCode));
    if (zipFailed && isVisible())
        m_ui->txtZipCode->setFocus();
}

void frmPreferences::cmdPrefCancel_Click()
{
    if (m_hasSnapshot) {
        Preferences& p = m_state.prefs;
        auto restore = [&p](const SnapshotEntry& e) {
            if (isFlag(e.field))
                p.setFlag(e.field, e.value.toBool());
            else if (e.field == F::LongestSide)
                p.setIndex(e.field, e.value.toInt());
            else
                p.setText(e.field, e.value.toString());
        };
        const std::size_t before = SnapshotBefore.size();
        for (std::size_t i = 0; i < before; ++i)
            restore(m_snapshot[i]);
        m_state.templates.setSelectedIndex(m_snapshotSelection);
        for (std::size_t i = before; i < m_snapshot.size(); ++i)
            restore(m_snapshot[i]);
    }
    hide();
}

void frmPreferences::cmdPrefHelp_Click()
{
    openPage(m_ds, installFolder() + u"/help/preferences.html"_s);
}

void frmPreferences::cmdFTPHelp_Click(int index)
{
    const FtpHelp help = ftpHelp(index);
    m_ds.messageBox(help.text, MsgButtons::Ok, help.title);
}

void frmPreferences::cmdTermsColor_Click()
{
    if (const auto color = m_ds.chooseColor(m_state.prefs.termsColor().value))
        m_state.prefs.setTermsColor(ColorPair::fromValue(*color));
}

void frmPreferences::reject()
{
    cmdPrefCancel_Click();
}

void frmPreferences::closeEvent(QCloseEvent* e)
{
    // The window outlives every close: the close box is Cancel.
    e->ignore();
    cmdPrefCancel_Click();
}

void frmPreferences::showEvent(QShowEvent* e)
{
    m_window.visible = true;
    QDialog::showEvent(e);
}

void frmPreferences::hideEvent(QHideEvent* e)
{
    m_window.visible = false;
    QDialog::hideEvent(e);
}

} // namespace lw
