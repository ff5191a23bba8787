#include "pictures/upload_plan.h"
#include "settings/preferences_commands.h"
#include "settings/ui/frm_preferences.h"
#include "support/ui/form_support.h"
#include "tests/testlib/window_test.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtWidgets>

#include <functional>
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
        window = std::make_unique<frmPreferences>(state, pw, ds, &owner);
    }

    template <typename W = QWidget> W* find(const QString& name) { return window->findChild<W*>(name); }
    void click(const QString& name) { find<QAbstractButton>(name)->click(); }
    void type(const QString& name, const QString& text) { find<QLineEdit>(name)->setText(text); }

    TestInstall install;
    SharedState state;
    ScriptedDesktopServices ds;
    PreferencesWindowState pw;
    QWidget owner; // the main window, with a box to take the focus
    QLineEdit ownerBox{&owner};
    std::unique_ptr<frmPreferences> window;
};

} // namespace

// Each control writes its own preference at once and shows that preference's changes.
TEST_F(PrefsWindow, ControlsAreBoundToTheirPreferencesAndTheTemplateSelection)
{
    const QStringList boxes =
        u"txtAuctionID:AuctionId txtEmail:Email txtWebsite:Website txtFTPServer:FtpServer "
        u"txtUserName:FtpUserName txtPassword:FtpPassword txtRemoteFolder:FtpRemoteFolder txtPort:FtpPort "
        u"txtWebURL:WebUrl txtZipCode:ZipCode txtShipComment:ShipComment txtUPSL:UpsLength "
        u"txtUPSW:UpsWidth txtUPSH:UpsHeight txtUPSI:UpsInsurance"_s.split(u' ');
    for (const QString& entry : boxes) {
        const auto field = F(QMetaEnum::fromType<F>().keyToValue(entry.section(u':', 1).toLatin1()));
        type(entry.section(u':', 0, 0), u"12"_s);
        state.prefs.setText(field, state.prefs.text(field) + u'3');
        EXPECT_EQ(find<QLineEdit>(entry.section(u':', 0, 0))->text(), u"123"_s) << entry.toStdString();
    }
    find<QComboBox>(u"cboTermsSize"_s)->setCurrentIndex(4);
    EXPECT_EQ(state.prefs.termsSize(), 5);
    state.prefs.setTermsSize(7);
    EXPECT_EQ(find<QComboBox>(u"cboTermsSize"_s)->currentIndex(), 6);
    // The password refuses characters the stored shift cannot give back.
    QString refused = u"ab\u0101"_s;
    int pos = 0;
    EXPECT_EQ(find<QLineEdit>(u"txtPassword"_s)->validator()->validate(refused, pos), QValidator::Invalid);
    // The note under the FTP fields says where the password is kept, and follows it.
    EXPECT_TRUE(find<QLabel>(u"lblPasswordNote"_s)->text().contains(u"in a file only you can read"_s));
    state.passwords.useKeyring(Secret::Ftp, {});
    EXPECT_EQ(find<QLabel>(u"lblPasswordNote"_s)->text(),
              u"Your FTP password is kept in your desktop's keyring."_s);

    find<QListWidget>(u"lstTemplates"_s)->setCurrentRow(2);
    EXPECT_EQ(state.templates.selectedIndex(), 2);
    EXPECT_EQ(find<QLabel>(u"lblTemplateInformation"_s)->text(),
              u"Template Number: 3\nMax Number Of Images: 10\nCustomizable Tables: 0"_s);
    auto* sample = find<QLabel>(u"imgSample"_s);
    EXPECT_EQ(sample->x(), (2520 + (1710 - sample->width() * 15) / 2) / 15); // centred in twips
}

TEST_F(PrefsWindow, ClicksReachTheirCommandsAndRules)
{
    click(u"chkIncludeWebsite"_s); // the one-time notice
    for (int i = 0; i <= 6; ++i)
        click(u"cmdFTPHelp_%1"_s.arg(i));
    EXPECT_EQ(ds.messageTitles(), u"Website Linking Information|FTP Server Help|FTP Username Help|"
                                  u"FTP Password Information|FTP Remote URL Information|FTP Port Information|"
                                  u"Web Image URL Information|Passive Mode Information"_s.split(u'|'));
    click(u"cmdPrefHelp"_s);
    click(u"cmdSample"_s);
    EXPECT_EQ(ds.shellOpened().value(0), install.path() + u"/help/preferences.html"_s);
    EXPECT_EQ(ds.shellOpened().size(), 2);
    ds.queueColor(255);
    click(u"cmdTermsColor"_s);
    EXPECT_TRUE(find(u"shpTermsColor"_s)->styleSheet().contains(u"#FF0000"_s));

    // Switches enable what depends on them; the FTP switch also the picture window's Browse buttons.
    for (const QString& pair :
         u"chkFTPAccess:chkPassive chkIncludeAuctions:lblNote chkShowCalc:txtUPSI"_s.split(u' ')) {
        EXPECT_FALSE(find(pair.section(u':', 1))->isEnabled());
        click(pair.section(u':', 0, 0));
        EXPECT_TRUE(find(pair.section(u':', 1))->isEnabled()) << pair.toStdString();
    }
    EXPECT_TRUE(state.pictures.slot(0).browseEnabled);
    // The longest side counts only while the pictures are prepared.
    find<QSpinBox>(u"txtLongestSide"_s)->setValue(2000);
    EXPECT_EQ(state.prefs.index(F::LongestSide), 2000);
    click(u"chkPreparePictures"_s);
    EXPECT_FALSE(state.prefs.flag(F::PreparePictures));
    EXPECT_FALSE(find(u"txtLongestSide"_s)->isEnabled());
    click(u"optUPS"_s);
    EXPECT_FALSE(find(u"frmUPSShip"_s)->isHidden());
}

// Every way out but a refused OK hides the window; every cancel restores what the seller found on arriving.
TEST_F(PrefsWindow, BelongsToTheMainWindowOkChecksAndEveryCancelRestoresTheSnapshotOfTheLastArrival)
{
    owner.show();
    const std::function<void()> cancels[] = {[&] { click(u"cmdPrefCancel"_s); },
                                             [&] { QTest::keyClick(find(u"txtEmail"_s), Qt::Key_Escape); },
                                             [&] { EXPECT_FALSE(window->close()); }};
    for (int round = 0; const auto& cancel : cancels) {
        window->showOnTab(0);
        type(u"txtEmail"_s, u"seller%1@example.com"_s.arg(++round));
        ASSERT_TRUE(test::activate(&owner)); // to the main window and back: an arrival
        ASSERT_TRUE(test::activate(window.get()));
        type(u"txtEmail"_s, u"new@example.com"_s);
        find<QComboBox>(u"cboFont"_s)->setCurrentIndex(round);
        cancel();
        // The font is not part of the snapshot.
        EXPECT_EQ(std::tuple(window->isVisible(), state.prefs.text(F::Email), state.prefs.index(F::Font)),
                  std::tuple(false, u"seller%1@example.com"_s.arg(round), round));
    }
    // The window manager keeps a dialog in front of the window it is transient for.
    EXPECT_EQ(window->windowHandle()->transientParent(), owner.windowHandle());

    // A refused OK shows the faulty tab with the box to mend and stays open.
    window->showOnTab(0);
    click(u"chkShowCalc"_s);
    type(u"txtZipCode"_s, u"12a"_s);
    click(u"cmdPrefOK"_s);
    EXPECT_EQ(find<QTabWidget>(u"tabPreferences"_s)->currentIndex(), 2);
    EXPECT_EQ(window->focusWidget(), find(u"txtZipCode"_s));
    EXPECT_TRUE(window->isVisible());
    type(u"txtZipCode"_s, u"123"_s);
    click(u"cmdPrefOK"_s);
    EXPECT_FALSE(window->isVisible());
}

// A screen with room for less than the window (a 1366 x 768 laptop's at 125 %): the tabs scroll
// and OK, Cancel and Help stay in view.
TEST_F(PrefsWindow, FitsAShortScreenWithItsButtonsAlwaysInView)
{
    auto* tabs = find<QScrollArea>(u"scrPreferences"_s);
    fitScreen(window.get(), tabs, QSize(492, 694), 566);
    window->show();
    QTest::qWait(10);
    EXPECT_EQ(window->height(), 566);
    EXPECT_EQ(tabs->verticalScrollBar()->maximum() + tabs->viewport()->height(),
              find(u"fraPreferences"_s)->height());
    EXPECT_GE(tabs->viewport()->width(), 492);
    const QWidget* help = find(u"cmdPrefHelp"_s);
    EXPECT_TRUE(window->rect().contains(QRect(help->mapTo(window.get(), QPoint()), help->size())));
}

// Each entry of the catalogue shows its own template's picture beside its file name, in the list's
// order: the large PNG, else the GIF, else the "no preview" picture. Beside the list the large
// picture is shown at a size to judge a design from; a GIF alone as it is.
TEST_F(PrefsWindow, TheCatalogueShowsEachTemplatesPictureBesideItsName)
{
    QImage red(480, 360, QImage::Format_RGB32), blue = red;
    red.fill(Qt::red);
    blue.fill(Qt::blue);
    red.save(install.file(u"templates/graphics/1.png"_s));
    blue.save(install.file(u"templates/graphics/0.png"_s));
    for (const char16_t* gone : {u"2.png", u"3.gif", u"3.png"})
        QFile::remove(install.file(u"templates/graphics/"_s + QStringView(gone)));
    state.templates.rescan();

    auto* list = find<QListWidget>(u"lstTemplates"_s);
    auto middle = [list](const QIcon& icon) {
        const QImage image = icon.pixmap(list->iconSize()).toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    };
    ASSERT_EQ(list->count(), state.templates.files().size());
    const QColor expected[] = {Qt::red, middle(QIcon(install.file(u"templates/graphics/2.gif"_s))), Qt::blue};
    for (int i = 0; i < list->count(); ++i) {
        EXPECT_EQ(list->item(i)->text(), state.templates.files()[i]);
        EXPECT_FALSE(list->item(i)->icon().isNull());
        EXPECT_TRUE(i >= 3 || middle(list->item(i)->icon()) == expected[i]) << i;
    }
    auto* sample = find<QLabel>(u"imgSample"_s);
    list->setCurrentRow(0);
    EXPECT_GE(sample->width(), 228);
    EXPECT_EQ(sample->pixmap().toImage().pixelColor(100, 100), QColor(Qt::red));
    list->setCurrentRow(1);
    EXPECT_EQ(sample->width(), 114);
}

// The server box's protocol reaches the note under it and the Passive box; what the host of a plain FTP
// server answers the probe reaches the note once the seller stops typing.
TEST_F(PrefsWindow, ServerNotesFollowTheProtocolAndWhatTheHostOffers)
{
    QTcpServer ftps; // greets, and takes AUTH TLS
    ASSERT_TRUE(ftps.listen(QHostAddress::LocalHost));
    QObject::connect(&ftps, &QTcpServer::newConnection, [&ftps] {
        QTcpSocket* client = ftps.nextPendingConnection();
        client->write("220 Welcome\r\n");
        QObject::connect(client, &QTcpSocket::readyRead, client, [client] {
            if (client->readAll().startsWith("AUTH TLS"))
                client->write("234 Go ahead\r\n");
        });
    });
    window->securityProbe().setSshPort(1); // nothing answers there
    window->showOnTab(1);
    click(u"chkFTPAccess"_s);
    type(u"txtPort"_s, QString::number(ftps.serverPort()));
    auto* passive = find<QAbstractButton>(u"chkPassive"_s);
    auto* warning = find<QLabel>(u"lblFTPWarning"_s);
    auto* note = find<QLabel>(u"lblPassiveNote"_s);

    type(u"txtFTPServer"_s, u"ftps://127.0.0.1"_s);
    EXPECT_EQ(std::tuple(passive->isEnabled(), passive->isChecked(), note->text(), warning->text()),
              std::tuple(false, true, passiveNote(u"ftps://"_s), QString()));
    EXPECT_FALSE(state.prefs.flag(F::Passive));

    type(u"txtFTPServer"_s, u"127.0.0.1"_s);
    EXPECT_EQ(std::tuple(passive->isEnabled(), passive->isChecked(), note->text(), warning->text()),
              std::tuple(true, false, QString(), plainFtpWarning(u"127.0.0.1"_s, std::nullopt)));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return warning->text() == plainFtpWarning(u"127.0.0.1"_s, SecureOffers{true, false});
        },
        10000))
        << warning->text().toStdString();
}
