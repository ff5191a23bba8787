#include "settings/ui/frm_preferences.h"

#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/password_shift.h"
#include "core/text_file.h"
#include "core/twips.h"
#include "pictures/picture_slots.h"
#include "settings/preferences_commands.h"
#include "settings/template_commands.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QValidator>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

using F = Preferences::Field;

QString toWidget(QString text)
{
    return text.replace(u"\r\n"_s, u"\n"_s);
}

QString toModel(QString text)
{
    text.replace(u"\r\n"_s, u"\n"_s);
    return text.replace(u'\n', u"\r\n"_s);
}

QString swatchStyle(qint64 value)
{
    return u"background-color: "_s + ColorToHtml(value) + u"; border: 1px solid #7a7a7a;"_s;
}

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

template <typename W> W* place(W* widget, const QString& name, const QRect& geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    return place(new QLabel(text, parent), name, geometry);
}

QPushButton* addButton(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry)
{
    auto* button = place(new QPushButton(caption, parent), name, geometry);
    button->setAutoDefault(false);
    return button;
}

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
    F::UpsHeight,   F::UpsInsurance, F::UpsResidential, F::AlwaysUseColor};

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
        return true;
    default:
        return false;
    }
}

} // namespace

frmPreferences::frmPreferences(SharedState& state, PreferencesWindowState& window, DesktopServices& ds,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state), m_window(window), m_ds(ds)
{
    setObjectName(u"frmPreferences"_s);
    setWindowTitle(u"Preferences"_s);

    m_tabs = place(new QTabWidget(this), u"tabPreferences"_s, QRect(8, 8, 476, 444));
    auto* general = new QWidget;
    general->setObjectName(u"tabGeneral"_s);
    auto* templates = new QWidget;
    templates->setObjectName(u"tabTemplates"_s);
    auto* shipping = new QWidget;
    shipping->setObjectName(u"tabShipping"_s);
    m_tabs->addTab(general, u"General"_s);
    m_tabs->addTab(templates, u"&Templates && Images"_s);
    m_tabs->addTab(shipping, u"Shipping Tools"_s);
    buildGeneralTab(general);
    buildTemplatesTab(templates);
    buildShippingTab(shipping);

    auto* ok = addButton(this, u"cmdPrefOK"_s, u"&OK"_s, QRect(224, 460, 84, 26));
    auto* cancel = addButton(this, u"cmdPrefCancel"_s, u"&Cancel"_s, QRect(314, 460, 84, 26));
    auto* help = addButton(this, u"cmdPrefHelp"_s, u"&Help"_s, QRect(404, 460, 80, 26));
    connect(ok, &QPushButton::clicked, this, [this] { cmdPrefOK_Click(); });
    connect(cancel, &QPushButton::clicked, this, [this] { cmdPrefCancel_Click(); });
    connect(help, &QPushButton::clicked, this, [this] { cmdPrefHelp_Click(); });

    bindModels();
    refreshAll();
    // The loader hides the UPS parameters while the calculator is off.
    if (!m_state.prefs.flag(F::ShowCalc))
        m_upsFrame->setVisible(false);
    m_window.openingSelection = m_state.templates.selectedIndex();
    setFixedSize(492, 494);

    // A return from another window of the program counts as an activation; the
    // return from a message box or dialog does not.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now)
            return;
        QWidget* top = now->window();
        if (top != this && !qobject_cast<QDialog*>(top))
            m_activationArmed = true;
    });
}

frmPreferences::~frmPreferences() = default;

QLineEdit* frmPreferences::addLineEdit(QWidget* parent, const QString& name, Field field,
                                       const QRect& geometry)
{
    auto* edit = place(new QLineEdit(parent), name, geometry);
    m_lineEdits[static_cast<int>(field)] = edit;
    connect(edit, &QLineEdit::textChanged, this,
            [this, field](const QString& text) { m_state.prefs.setText(field, text); });
    return edit;
}

QCheckBox* frmPreferences::addCheckBox(QWidget* parent, const QString& name, const QString& caption,
                                       Field field, const QRect& geometry)
{
    auto* box = place(new QCheckBox(caption, parent), name, geometry);
    m_checkBoxes[static_cast<int>(field)] = box;
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) { m_state.prefs.setFlag(field, on); });
    return box;
}

QComboBox* frmPreferences::addIndexList(QWidget* parent, const QString& name, const QStringList& items,
                                        Field field, const QRect& geometry)
{
    auto* list = place(new QComboBox(parent), name, geometry);
    list->addItems(items); // before the binding, so filling the list leaves the model alone
    m_indexLists[static_cast<int>(field)] = list;
    connect(list, &QComboBox::currentIndexChanged, this, [this, field](int index) {
        if (index >= 0)
            m_state.prefs.setIndex(field, index);
    });
    return list;
}

void frmPreferences::buildGeneralTab(QWidget* tab)
{
    auto* frame = place(new QGroupBox(tab), u"Frame3"_s, QRect(6, 6, 458, 196));
    addLabel(frame, u"lblAuctionID"_s, u"Your Auction ID:"_s, QRect(10, 14, 104, 22));
    addLineEdit(frame, u"txtAuctionID"_s, F::AuctionId, QRect(118, 14, 330, 22));
    addLabel(frame, u"lblEmail"_s, u"Your E-Mail:"_s, QRect(10, 40, 104, 22));
    addLineEdit(frame, u"txtEmail"_s, F::Email, QRect(118, 40, 330, 22));
    addLabel(frame, u"lblWebsite"_s, u"Your Website:"_s, QRect(10, 66, 104, 22));
    addLineEdit(frame, u"txtWebsite"_s, F::Website, QRect(118, 66, 330, 22));
    addLabel(frame, u"lblTerms"_s, u"Auction Terms:"_s, QRect(10, 92, 104, 22));
    m_terms = place(new QPlainTextEdit(frame), u"txtTerms"_s, QRect(118, 92, 330, 66));
    m_terms->setTabChangesFocus(true);
    connect(m_terms, &QPlainTextEdit::textChanged, this,
            [this] { m_state.prefs.setText(F::Terms, toModel(m_terms->toPlainText())); });

    auto* colorButton = addButton(frame, u"cmdTermsColor"_s, QString(), QRect(118, 164, 28, 24));
    colorButton->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    colorButton->setToolTip(u"Choose Color"_s);
    connect(colorButton, &QPushButton::clicked, this, [this] { cmdTermsColor_Click(); });
    m_termsSwatch = place(new QFrame(frame), u"shpTermsColor"_s, QRect(152, 166, 30, 20));
    m_termsSize = place(new QComboBox(frame), u"cboTermsSize"_s, QRect(190, 165, 50, 22));
    for (int size = 1; size <= 7; ++size)
        m_termsSize->addItem(QString::number(size)); // before the binding, as above
    connect(m_termsSize, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_state.prefs.setTermsSize(index + 1);
    });
    addCheckBox(frame, u"chkAlwaysUseColor"_s, u"Always Use This Style"_s, F::AlwaysUseColor,
                QRect(252, 165, 196, 22));

    auto* links = place(new QGroupBox(tab), u"frmAdPrefrences"_s, QRect(6, 208, 458, 206));
    addCheckBox(links, u"chkIncludeEmail"_s, u"Include &Email Link In Ad"_s, F::IncludeEmail,
                QRect(10, 12, 300, 22));
    auto* website = addCheckBox(links, u"chkIncludeWebsite"_s, u"Include &Website Link In Ad"_s,
                                F::IncludeWebsite, QRect(10, 36, 300, 22));
    // Only the seller's own click brings up the one-time notice.
    connect(website, &QCheckBox::clicked, this, [this](bool on) {
        if (on)
            websiteLinkNotice(m_state, m_ds);
    });
    addCheckBox(links, u"chkIncludeMEPage"_s, u"Include '&About Me' eBay Page"_s, F::IncludeMePage,
                QRect(10, 60, 300, 22));
    addCheckBox(links, u"chkIncludeAuctions"_s, u"Include &Other Auctions Link In Ad"_s, F::IncludeAuctions,
                QRect(10, 84, 300, 22));
    m_note = addLabel(links, u"lblNote"_s,
                      u"Please select the auction site that you will submit your listing(s) to:"_s,
                      QRect(28, 110, 420, 22));
    m_auctionSite = addIndexList(
        links, u"cboAuctionSite"_s,
        {u"eBay"_s, u"Yahoo"_s, u"Auction Fire"_s, u"Small Town Auction"_s, u"Auctions Anonymous!"_s},
        F::AuctionSite, QRect(28, 136, 200, 24));
}

void frmPreferences::buildTemplatesTab(QWidget* tab)
{
    auto* frame = place(new QGroupBox(u"Template Settings"_s, tab), u"Frame4"_s, QRect(6, 6, 458, 176));
    addLabel(frame, u"lblTemplate"_s, u"Ad Template:"_s, QRect(10, 20, 140, 18));
    m_templateList = place(new QListWidget(frame), u"lstTemplates"_s, QRect(10, 40, 146, 92));
    connect(m_templateList, &QListWidget::currentRowChanged, this,
            [this](int row) { m_state.templates.setSelectedIndex(row); });
    m_sample = place(new QLabel(frame), u"imgSample"_s, QRect(168, 22, 114, 86));
    m_custom = addLabel(frame, u"lblCustom"_s, u"CUSTOM COLORS"_s, QRect(168, 112, 114, 18));
    m_custom->setAlignment(Qt::AlignCenter);
    m_templateInfo = addLabel(frame, u"lblTemplateInformation"_s, QString(), QRect(292, 22, 160, 56));
    m_templateInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* sample = addButton(frame, u"cmdSample"_s, u"Show &Full-Sized"_s, QRect(292, 84, 140, 26));
    connect(sample, &QPushButton::clicked, this, [this] { showFullSizedPreview(m_state, m_ds); });
    addLabel(frame, u"Label1"_s, u"Default Font"_s, QRect(10, 142, 80, 22));
    addIndexList(frame, u"cboFont"_s,
                 {u"Arial"_s, u"Courier"_s, u"Times New Roman"_s, u"Comic Sans MS"_s, u"Verdana"_s}, F::Font,
                 QRect(92, 141, 140, 24));
    addCheckBox(frame, u"chkWindowState"_s, u"Open pictures in a new window"_s, F::WindowState,
                QRect(240, 142, 212, 22));

    auto* ftp = place(new QGroupBox(u"Image FTP Settings"_s, tab), u"Frame1"_s, QRect(6, 188, 458, 226));
    addCheckBox(ftp, u"chkFTPAccess"_s, u"Enable the FTP upload feature"_s, F::FtpAccess,
                QRect(10, 20, 300, 22));
    const std::array<std::pair<QString, F>, 6> fields = {
        std::pair{u"txtFTPServer"_s, F::FtpServer},  std::pair{u"txtUserName"_s, F::FtpUserName},
        std::pair{u"txtPassword"_s, F::FtpPassword}, std::pair{u"txtRemoteFolder"_s, F::FtpRemoteFolder},
        std::pair{u"txtPort"_s, F::FtpPort},         std::pair{u"txtWebURL"_s, F::WebUrl}};
    const std::array<QString, 6> captions = {u"FTP Server:"_s, u"Username:"_s, u"Password:"_s,
                                             u"Remote URL:"_s, u"FTP Port:"_s, u"Web Image URL:"_s};
    for (int i = 0; i < 6; ++i) {
        const int y = 46 + i * 24;
        addLabel(ftp, u"lblFTP_"_s + QString::number(i), captions[i], QRect(10, y, 104, 22));
        QLineEdit* edit = addLineEdit(ftp, fields[i].first, fields[i].second, QRect(118, y, 290, 22));
        m_ftpControls.push_back(edit);
        auto* helpButton =
            addButton(ftp, u"cmdFTPHelp_"_s + QString::number(i), u"?"_s, QRect(414, y, 26, 22));
        connect(helpButton, &QPushButton::clicked, this, [this, i] { cmdFTPHelp_Click(i); });
    }
    QLineEdit* password = m_lineEdits[static_cast<int>(F::FtpPassword)];
    password->setEchoMode(QLineEdit::Password);
    password->setValidator(new PasswordValidator(password));
    m_ftpControls.push_back(
        addCheckBox(ftp, u"chkPassive"_s, u"Passive"_s, F::Passive, QRect(118, 192, 120, 22)));
    auto* passiveHelp = addButton(ftp, u"cmdFTPHelp_6"_s, u"?"_s, QRect(414, 192, 26, 22));
    connect(passiveHelp, &QPushButton::clicked, this, [this] { cmdFTPHelp_Click(6); });
}

void frmPreferences::buildShippingTab(QWidget* tab)
{
    auto* calc =
        place(new QGroupBox(u"Online Shipping Calculator"_s, tab), u"frmShipCalc"_s, QRect(6, 6, 458, 112));
    m_usps = place(new QRadioButton(u"USPS Calculator"_s, calc), u"optUSPS"_s, QRect(10, 22, 160, 22));
    m_ups = place(new QRadioButton(u"UPS Calculator"_s, calc), u"optUPS"_s, QRect(180, 22, 160, 22));
    connect(m_usps, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_state.prefs.setFlag(F::UseUsps, true);
    });
    connect(m_ups, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_state.prefs.setFlag(F::UseUps, true);
    });
    auto* zipLabel = addLabel(calc, u"Label3_0"_s, u"Your Zipcode:"_s, QRect(10, 52, 104, 22));
    m_zipCode = addLineEdit(calc, u"txtZipCode"_s, F::ZipCode, QRect(118, 52, 100, 22));
    auto* commentLabel = addLabel(calc, u"Label3_1"_s, u"Comment Line:"_s, QRect(10, 80, 104, 22));
    QLineEdit* comment = addLineEdit(calc, u"txtShipComment"_s, F::ShipComment, QRect(118, 80, 330, 22));

    addCheckBox(tab, u"chkShowCalc"_s, u"&Display Shipping Calculator In Ads"_s, F::ShowCalc,
                QRect(12, 124, 300, 22));

    auto* extra = place(new QGroupBox(u"Additional Parameters"_s, tab), u"Frame2"_s, QRect(6, 152, 458, 262));
    m_calcNotes = addLabel(extra, u"lblCalcNotes"_s, QString(), QRect(10, 22, 438, 64));
    m_calcNotes->setWordWrap(true);
    m_calcNotes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_upsFrame = place(new QGroupBox(u"UPS Shipping Paramaters (inches)"_s, extra), u"frmUPSShip"_s,
                       QRect(10, 92, 438, 136));
    auto* lengthLabel = addLabel(m_upsFrame, u"Label2"_s, u"Length:"_s, QRect(10, 24, 50, 22));
    QLineEdit* length = addLineEdit(m_upsFrame, u"txtUPSL"_s, F::UpsLength, QRect(62, 24, 70, 22));
    auto* widthLabel = addLabel(m_upsFrame, u"Label4"_s, u"Width:"_s, QRect(146, 24, 50, 22));
    QLineEdit* width = addLineEdit(m_upsFrame, u"txtUPSW"_s, F::UpsWidth, QRect(198, 24, 70, 22));
    auto* heightLabel = addLabel(m_upsFrame, u"Label5"_s, u"Height:"_s, QRect(282, 24, 50, 22));
    QLineEdit* height = addLineEdit(m_upsFrame, u"txtUPSH"_s, F::UpsHeight, QRect(334, 24, 70, 22));
    auto* insuranceLabel =
        addLabel(m_upsFrame, u"Label6"_s, u"Insurance Value (US$):"_s, QRect(10, 56, 150, 22));
    QLineEdit* insurance = addLineEdit(m_upsFrame, u"txtUPSI"_s, F::UpsInsurance, QRect(162, 56, 90, 22));
    QCheckBox* residential =
        addCheckBox(m_upsFrame, u"chkUPSR"_s, u"Residential"_s, F::UpsResidential, QRect(10, 88, 150, 22));

    m_calculatorControls = {m_zipCode,      zipLabel,    commentLabel, comment,     m_usps,     m_ups,
                            extra,          m_calcNotes, m_upsFrame,   lengthLabel, widthLabel, heightLabel,
                            insuranceLabel, length,      width,        height,      insurance,  residential};
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
}

void frmPreferences::refreshField(Field field)
{
    const Preferences& p = m_state.prefs;
    const int i = static_cast<int>(field);
    if (QLineEdit* edit = m_lineEdits[i]) {
        if (edit->text() != p.text(field)) {
            const QSignalBlocker block(edit);
            edit->setText(p.text(field));
        }
    } else if (QCheckBox* box = m_checkBoxes[i]) {
        const QSignalBlocker block(box);
        box->setChecked(p.flag(field));
    } else if (QComboBox* list = m_indexLists[i]) {
        const QSignalBlocker block(list);
        list->setCurrentIndex(p.index(field));
    } else if (field == F::Terms) {
        if (toModel(m_terms->toPlainText()) != p.text(F::Terms)) {
            const QSignalBlocker block(m_terms);
            m_terms->setPlainText(toWidget(p.text(F::Terms)));
        }
    }
    switch (field) {
    case F::FtpAccess:
        applyFtpRule();
        applyBrowseRule(m_state);
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
    m_calcNotes->setText(m_state.prefs.flag(F::UseUps) ? upsNote() : uspsNote());
    m_upsFrame->setVisible(m_state.prefs.flag(F::UseUps));
    refreshTermsColor();
    refreshTermsSize();
    refreshTemplateList();
    refreshTemplateDisplay();
}

void frmPreferences::refreshOptions()
{
    // Neither option may be selected for a moment while the loader works, which
    // an exclusive pair would refuse to show.
    const QSignalBlocker blockUsps(m_usps);
    const QSignalBlocker blockUps(m_ups);
    m_usps->setAutoExclusive(false);
    m_ups->setAutoExclusive(false);
    m_usps->setChecked(m_state.prefs.flag(F::UseUsps));
    m_ups->setChecked(m_state.prefs.flag(F::UseUps));
    m_usps->setAutoExclusive(true);
    m_ups->setAutoExclusive(true);
}

void frmPreferences::applyCalculatorChoice()
{
    // Only a selected option changes the notes and the UPS parameters.
    if (m_state.prefs.flag(F::UseUps)) {
        m_calcNotes->setText(upsNote());
        m_upsFrame->setVisible(true);
    } else if (m_state.prefs.flag(F::UseUsps)) {
        m_calcNotes->setText(uspsNote());
        m_upsFrame->setVisible(false);
    }
}

void frmPreferences::applyFtpRule()
{
    const bool on = m_state.prefs.flag(F::FtpAccess);
    for (QWidget* w : m_ftpControls)
        w->setEnabled(on);
}

void frmPreferences::applyAuctionsRule()
{
    const bool on = m_state.prefs.flag(F::IncludeAuctions);
    m_auctionSite->setEnabled(on);
    m_note->setEnabled(on);
}

void frmPreferences::applyCalculatorRule()
{
    const bool on = m_state.prefs.flag(F::ShowCalc);
    for (QWidget* w : m_calculatorControls)
        w->setEnabled(on);
}

void frmPreferences::refreshTemplateList()
{
    const QSignalBlocker block(m_templateList);
    m_templateList->clear();
    m_templateList->addItems(m_state.templates.files());
    refreshTemplateSelection();
}

void frmPreferences::refreshTemplateSelection()
{
    const QSignalBlocker block(m_templateList);
    const int index = m_state.templates.selectedIndex();
    m_templateList->setCurrentRow(index);
    if (index < 0)
        m_templateList->clearSelection();
}

void frmPreferences::refreshTemplateDisplay()
{
    const TemplateDisplay& display = m_state.templateDisplay;
    const QPixmap picture(display.thumbnailPath);
    m_sample->setPixmap(picture);
    if (!picture.isNull()) {
        // Centred over a space 1710 twips wide that starts 2520 twips into the frame.
        const int widthTwips = picture.width() * TwipsPerPixel;
        const int left = (2520 + (1710 - widthTwips) / 2) / TwipsPerPixel;
        m_sample->setGeometry(left, m_sample->y(), picture.width(), picture.height());
    }
    m_custom->setVisible(display.customVisible);
    m_templateInfo->setText(toWidget(display.information));
}

void frmPreferences::refreshTermsColor()
{
    m_termsSwatch->setStyleSheet(swatchStyle(m_state.prefs.termsColor().value));
}

void frmPreferences::refreshTermsSize()
{
    const QSignalBlocker block(m_termsSize);
    m_termsSize->setCurrentIndex(m_state.prefs.termsSize() - 1);
}

void frmPreferences::showOnTab(int tab)
{
    const bool wasHidden = isHidden();
    show();
    raise();
    activateWindow();
    // The platform may not report the activation of a window it just showed.
    if (wasHidden)
        Form_Activate();
    m_tabs->setCurrentIndex(tab);
}

void frmPreferences::Form_Activate()
{
    m_activationArmed = false;
    const Preferences& p = m_state.prefs;
    m_snapshot.clear();
    auto take = [&](F f) {
        m_snapshot.push_back({f, isFlag(f) ? QVariant(p.flag(f)) : QVariant(p.text(f))});
    };
    for (F f : SnapshotBefore)
        take(f);
    m_snapshotSelection = m_state.templates.selectedIndex();
    for (F f : SnapshotAfter)
        take(f);
    m_hasSnapshot = true;
    m_window.openingSelection = m_state.templates.selectedIndex();
    applyFtpRule();
}

void frmPreferences::cmdPrefOK_Click()
{
    if (lw::cmdPrefOK_Click(m_state, m_window, m_ds)) {
        hide();
        return;
    }
    m_tabs->setCurrentIndex(m_window.currentTab);
    const Preferences& p = m_state.prefs;
    const bool zipFailed = m_window.currentTab == 2 && p.flag(F::ShowCalc) && !isNumber(p.text(F::ZipCode));
    if (zipFailed && isVisible())
        m_zipCode->setFocus();
}

void frmPreferences::cmdPrefCancel_Click()
{
    if (m_hasSnapshot) {
        Preferences& p = m_state.prefs;
        auto restore = [&p](const SnapshotEntry& e) {
            if (isFlag(e.field))
                p.setFlag(e.field, e.value.toBool());
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

bool frmPreferences::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && m_activationArmed)
        Form_Activate();
    return QWidget::event(e);
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
    QWidget::showEvent(e);
}

void frmPreferences::hideEvent(QHideEvent* e)
{
    m_window.visible = false;
    m_activationArmed = true;
    QWidget::hideEvent(e);
}

} // namespace lw
