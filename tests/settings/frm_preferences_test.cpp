#include "settings/ui/frm_preferences.h"

#include "core/models/shared_state.h"
#include "core/scripted_desktop_services.h"
#include "settings/preferences_commands.h"
#include "tests/testlib/test_install.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace lw;
using namespace lw::test;

using F = Preferences::Field;

namespace {

class PrefsWindow : public ::testing::Test
{
protected:
    PrefsWindow()
    {
        connectTemplateSelection(state);
        loadSettings(state, pw, ds);
        window = std::make_unique<frmPreferences>(state, pw, ds);
        ds.clearRecords();
    }

    template <typename W = QWidget> W* find(const QString& name)
    {
        W* w = window->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    void click(const QString& name) { find<QAbstractButton>(name)->click(); }
    void type(const QString& name, const QString& text) { find<QLineEdit>(name)->setText(text); }
    int currentTab() { return find<QTabWidget>(u"tabPreferences"_s)->currentIndex(); }
    void fillFtpAccount(const QString& port)
    {
        click(u"chkFTPAccess"_s);
        type(u"txtFTPServer"_s, u"ftp.example.com"_s);
        type(u"txtUserName"_s, u"seller"_s);
        type(u"txtPassword"_s, u"Secret1"_s);
        type(u"txtWebURL"_s, u"http://example.com/pics/"_s);
        type(u"txtPort"_s, port);
    }

    TestInstall install;
    SharedState state;
    ScriptedDesktopServices ds;
    PreferencesWindowState pw;
    std::unique_ptr<frmPreferences> window;
};

} // namespace

TEST_F(PrefsWindow, CarriesTheNamedControlsTabsAndHelp)
{
    EXPECT_EQ(window->objectName(), u"frmPreferences"_s);
    EXPECT_EQ(window->windowTitle(), u"Preferences"_s);
    auto* tabs = find<QTabWidget>(u"tabPreferences"_s);
    EXPECT_EQ(tabs->tabText(0), u"General"_s);
    EXPECT_EQ(tabs->tabText(1), u"&Templates && Images"_s);
    EXPECT_EQ(tabs->tabText(2), u"Shipping Tools"_s);
    for (const QString& name :
         {u"cmdPrefOK"_s, u"cmdPrefCancel"_s, u"cmdPrefHelp"_s, u"cmdTermsColor"_s, u"cmdSample"_s,
          u"cmdFTPHelp_0"_s, u"cmdFTPHelp_6"_s, u"chkUPSR"_s, u"lblNote"_s, u"lblCalcNotes"_s,
          u"frmUPSShip"_s, u"shpTermsColor"_s, u"Label3_1"_s})
        find(name);
    EXPECT_EQ(find<QLineEdit>(u"txtPort"_s)->text(), u"21"_s);
    EXPECT_EQ(find<QComboBox>(u"cboAuctionSite"_s)->itemText(4), u"Auctions Anonymous!"_s);

    // The password hides its characters and refuses those the store cannot shift.
    auto* password = find<QLineEdit>(u"txtPassword"_s);
    EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    QString refused = u"ab\u0101"_s;
    int pos = 0;
    EXPECT_EQ(password->validator()->validate(refused, pos), QValidator::Invalid);

    // FTP fields follow the switch, and with it the picture window's Browse buttons.
    EXPECT_FALSE(find(u"txtFTPServer"_s)->isEnabled());
    EXPECT_FALSE(find(u"chkPassive"_s)->isEnabled());
    click(u"chkFTPAccess"_s);
    EXPECT_TRUE(find(u"txtFTPServer"_s)->isEnabled());
    EXPECT_TRUE(find(u"chkPassive"_s)->isEnabled());
    EXPECT_TRUE(state.pictures.slot(0).browseEnabled);
    click(u"chkIncludeAuctions"_s);
    EXPECT_TRUE(find(u"cboAuctionSite"_s)->isEnabled());

    click(u"cmdFTPHelp_5"_s);
    click(u"cmdFTPHelp_6"_s);
    click(u"cmdFTPHelp_4"_s);
    ASSERT_EQ(ds.messages().size(), 3);
    EXPECT_EQ(ds.messageTitles(), (QStringList{u"Web Image URL Information"_s, u"Passive Mode Information"_s,
                                               u"FTP Port Information"_s}));
    EXPECT_EQ(ds.messages().at(0).style, 0);
    click(u"cmdPrefHelp"_s);
    EXPECT_EQ(ds.shellOpened(), QStringList{install.path() + u"/help/preferences.html"_s});

    ds.queueColor(255);
    click(u"cmdTermsColor"_s);
    EXPECT_EQ(state.prefs.termsColor().text, u"#FF0000"_s);
    find<QComboBox>(u"cboTermsSize"_s)->setCurrentIndex(4);
    EXPECT_EQ(state.prefs.termsSize(), 5);
    state.prefs.setTermsSize(7);
    EXPECT_EQ(find<QComboBox>(u"cboTermsSize"_s)->currentIndex(), 6);
}

TEST_F(PrefsWindow, OkChecksSwitchToTheFaultyTabAndSaveNothing)
{
    window->showOnTab(0);
    const QByteArray before = install.read(u"settings.txt"_s);
    fillFtpAccount(u"2l"_s);
    click(u"cmdPrefOK"_s);
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Error: FTP Port"_s});
    EXPECT_EQ(currentTab(), 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(install.read(u"settings.txt"_s), before);

    // Remote URL empty, port 21: accepted.
    type(u"txtPort"_s, u"21"_s);
    click(u"cmdPrefOK"_s);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(install.readLines(u"settings.txt"_s).at(13), u"ftp.example.com"_s);
    EXPECT_EQ(state.prefs.ftpAccount().server, u"ftp.example.com"_s);

    // Only numeric content of the zip code is tested.
    window->showOnTab(0);
    click(u"chkShowCalc"_s);
    type(u"txtZipCode"_s, u"123"_s);
    click(u"cmdPrefOK"_s);
    EXPECT_FALSE(window->isVisible());

    ds.clearRecords();
    window->showOnTab(0);
    click(u"optUPS"_s);
    type(u"txtUPSL"_s, u"10"_s);
    type(u"txtUPSW"_s, u"8"_s);
    type(u"txtUPSH"_s, u"4"_s);
    type(u"txtUPSI"_s, QString());
    click(u"cmdPrefOK"_s);
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Error: UPS Values"_s});
    EXPECT_EQ(currentTab(), 2);
    EXPECT_TRUE(window->isVisible());

    ds.clearRecords();
    find<QTabWidget>(u"tabPreferences"_s)->setCurrentIndex(0);
    type(u"txtUPSI"_s, u"100"_s);
    type(u"txtZipCode"_s, u"12a"_s);
    click(u"cmdPrefOK"_s);
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Error: Zipcode Value"_s});
    EXPECT_EQ(currentTab(), 2);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(PrefsWindow, CancelAndTheCloseBoxRestoreTheSnapshotOnly)
{
    state.prefs.setText(F::Email, u"old@example.com"_s);
    window->showOnTab(0);
    type(u"txtEmail"_s, u"new@example.com"_s);
    find<QComboBox>(u"cboFont"_s)->setCurrentIndex(3);
    click(u"optUPS"_s);
    EXPECT_EQ(state.prefs.text(F::Email), u"new@example.com"_s);
    click(u"cmdPrefCancel"_s);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(state.prefs.text(F::Email), u"old@example.com"_s);
    EXPECT_EQ(find<QLineEdit>(u"txtEmail"_s)->text(), u"old@example.com"_s);
    EXPECT_EQ(state.prefs.index(F::Font), 3);
    EXPECT_TRUE(state.prefs.flag(F::UseUsps));
    EXPECT_EQ(state.prefs.text(F::ShipComment), Preferences::uspsComment());

    // The close box is Cancel; the window stays alive and opens again on tab 1.
    window->showOnTab(0);
    type(u"txtEmail"_s, u"closed@example.com"_s);
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(state.prefs.text(F::Email), u"old@example.com"_s);
    window->showOnTab(1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(currentTab(), 1);
}

TEST_F(PrefsWindow, WebsiteNoticeShowsOnceAlsoAfterARestart)
{
    window->showOnTab(0);
    click(u"chkIncludeWebsite"_s);
    click(u"chkIncludeWebsite"_s);
    click(u"chkIncludeWebsite"_s);
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Website Linking Information"_s});
    click(u"cmdPrefOK"_s);
    EXPECT_EQ(install.readLines(u"settings.txt"_s).at(38), u"True"_s);

    SharedState again;
    ScriptedDesktopServices ds2;
    PreferencesWindowState pw2;
    connectTemplateSelection(again);
    loadSettings(again, pw2, ds2);
    frmPreferences second(again, pw2, ds2);
    second.showOnTab(0);
    auto* box = second.findChild<QCheckBox*>(u"chkIncludeWebsite"_s);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isChecked());
    box->click();
    box->click();
    EXPECT_TRUE(ds2.messages().isEmpty());
}

TEST_F(PrefsWindow, CalculatorSwitchAndChoiceRunTheirRules)
{
    window->showOnTab(2);
    EXPECT_FALSE(find(u"txtZipCode"_s)->isEnabled());
    click(u"chkShowCalc"_s);
    EXPECT_TRUE(find(u"txtZipCode"_s)->isEnabled());
    EXPECT_TRUE(find(u"txtUPSI"_s)->isEnabled());
    EXPECT_TRUE(find(u"frmUPSShip"_s)->isHidden());

    click(u"optUPS"_s);
    EXPECT_TRUE(state.prefs.flag(F::UseUps));
    EXPECT_FALSE(state.prefs.flag(F::UseUsps));
    EXPECT_EQ(state.prefs.text(F::ShipComment), u"Select any UPS shipment method for this item."_s);
    EXPECT_EQ(find<QLineEdit>(u"txtShipComment"_s)->text(),
              u"Select any UPS shipment method for this item."_s);
    EXPECT_FALSE(find(u"frmUPSShip"_s)->isHidden());
    EXPECT_TRUE(find<QLabel>(u"lblCalcNotes"_s)->text().startsWith(u"To use the UPS calculator"_s));

    click(u"optUSPS"_s);
    EXPECT_TRUE(find(u"frmUPSShip"_s)->isHidden());
    EXPECT_EQ(state.prefs.text(F::ShipComment), Preferences::uspsComment());
    click(u"chkShowCalc"_s);
    EXPECT_FALSE(find(u"optUPS"_s)->isEnabled());
}

TEST_F(PrefsWindow, TemplateSelectionShowsItsNumbersAndLimits)
{
    window->showOnTab(1);
    auto* list = find<QListWidget>(u"lstTemplates"_s);
    EXPECT_EQ(list->count(), state.templates.files().size());
    list->setCurrentRow(2);
    EXPECT_EQ(state.templates.selectedIndex(), 2);
    EXPECT_EQ(state.templateDisplay.information,
              u"Template Number: 3\r\nMax Number Of Images: 10\r\nCustomizable Tables: 0"_s);
    EXPECT_EQ(find<QLabel>(u"lblTemplateInformation"_s)->text(),
              u"Template Number: 3\nMax Number Of Images: 10\nCustomizable Tables: 0"_s);
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(state.tables.entry(i).rowEnabled) << i;
    for (int i = 0; i < PictureList::SlotCount; ++i)
        EXPECT_TRUE(state.pictures.slot(i).enabled) << i;
    auto* sample = find<QLabel>(u"imgSample"_s);
    EXPECT_EQ(sample->x(), (2520 + (1710 - sample->width() * 15) / 2) / 15);
    EXPECT_FALSE(sample->pixmap().isNull());

    click(u"cmdSample"_s);
    EXPECT_EQ(ds.shellOpened().size(), 1);

    // A 21st template has no built-in entry: empty numbers, nothing usable.
    const QByteArray tpt = install.read(u"templates/01.tpt"_s);
    for (int n = state.templates.files().size() + 1; n <= 21; ++n)
        install.write(u"templates/%1.tpt"_s.arg(n, 2, 10, QLatin1Char('0')), tpt);
    install.write(u"templates/graphics/21.gif"_s, install.read(u"templates/graphics/1.gif"_s));
    state.templates.rescan();
    ASSERT_EQ(list->count(), 21);
    list->setCurrentRow(20);
    EXPECT_EQ(find<QLabel>(u"lblTemplateInformation"_s)->text(),
              u"Template Number: 21\nMax Number Of Images: \nCustomizable Tables: "_s);
    for (int i = 1; i <= 4; ++i)
        EXPECT_FALSE(state.tables.entry(i).rowEnabled) << i;
    for (int i = 0; i < PictureList::SlotCount; ++i)
        EXPECT_FALSE(state.pictures.slot(i).enabled) << i;

    // Cancel puts the opening selection back.
    click(u"cmdPrefCancel"_s);
    EXPECT_EQ(state.templates.selectedIndex(), pw.openingSelection);
}

TEST_F(PrefsWindow, BelongsToTheMainWindowAndEscapeIsCancel)
{
    QWidget owner;
    owner.setGeometry(100, 80, 900, 700);
    owner.show();
    frmPreferences owned(state, pw, ds, &owner);
    owned.showOnTab(0);
    // The window manager keeps a dialog in front of the window it is transient for.
    EXPECT_EQ(owned.windowHandle()->type(), Qt::Dialog);
    EXPECT_EQ(owned.windowHandle()->transientParent(), owner.windowHandle());
    EXPECT_EQ(owned.frameGeometry().center(), owner.frameGeometry().center());

    owned.move(owned.pos() + QPoint(40, 30));
    const QPoint left = owned.pos();
    auto* box = owned.findChild<QLineEdit*>(u"txtEmail"_s);
    QTest::keyClicks(box, u"x"_s);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(owned.isVisible());
    EXPECT_EQ(state.prefs.text(F::Email), u"");
    owned.showOnTab(0);
    EXPECT_EQ(owned.pos(), left);
}

TEST_F(PrefsWindow, SnapshotIsTakenWhenTheSellerComesNotAfterItsOwnDialogs)
{
    window->showOnTab(0);
    type(u"txtEmail"_s, u"x"_s);
    click(u"cmdFTPHelp_0"_s);
    QEvent back(QEvent::WindowActivate); // the message box hands the window back
    QApplication::sendEvent(window.get(), &back);
    click(u"cmdPrefCancel"_s);
    EXPECT_EQ(state.prefs.text(F::Email), u"");

    // Coming from another window of the program makes the edits so far part of the snapshot.
    window->showOnTab(0);
    type(u"txtEmail"_s, u"y"_s);
    QWidget other; // another window of the program, with something to focus
    QLineEdit otherBox(&other);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    type(u"txtEmail"_s, u"z"_s);
    click(u"cmdPrefCancel"_s);
    EXPECT_EQ(state.prefs.text(F::Email), u"y");
}
