#include "app/ui/submission_link.h"
#include "pictures/ui/frm_imgs.h"
#include "submission/submission_loader.h"
#include "tests/app/app_fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <memory>

using namespace Qt::StringLiterals;

namespace lw::test {
namespace {

bool waitFor(const std::function<bool()>& done, int ms = 20000)
{
    return QTest::qWaitFor(done, ms);
}

// Our own selling pages on a free loopback port, over plain HTTP as the site's pages once came, or
// over HTTPS with a certificate for eBay's sign-in host, the same for every server of the program.
class PagesServer
{
public:
    explicit PagesServer(bool https = false) : m_scheme(https ? u"https"_s : u"http"_s)
    {
        static const QTemporaryDir certificates;
        QStringList arguments{QStringLiteral(LW_PAGES_SERVER), QStringLiteral(LW_PAGES_FOLDER)};
        if (https)
            arguments << certificates.path();
        m_process.start(u"/usr/bin/python3"_s, arguments);
        if (m_process.waitForStarted(10000) && m_process.waitForReadyRead(20000)) {
            const QList<QByteArray> words = m_process.readLine().trimmed().split(' ');
            port = words.value(0).toInt();
            keyHash = words.value(1);
        }
    }
    ~PagesServer()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    QString url(const QString& page, const QString& host = u"127.0.0.1"_s) const
    {
        return m_scheme + u"://"_s + host + u':' + QString::number(port) + u'/' + page;
    }
    int port = 0;
    // The base64 SHA-256 of the HTTPS server's key.
    QByteArray keyHash;

private:
    QString m_scheme;
    QProcess m_process;
};

// The whole submission, in the real window loaded from its module, over the real program.
class SubmissionWindowTest : public AppProgram
{
protected:
    void SetUp() override
    {
        // A closed machine: no GPU and none of Chromium's own calls home. eBay's sign-in host is our
        // HTTPS pages server on loopback, whose one key the engine trusts; the program's checks are its own.
        ASSERT_FALSE(secureServer.keyHash.isEmpty());
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                "--disable-gpu --disable-background-networking --no-proxy-server --disable-component-update "
                "--disable-sync --host-resolver-rules=\"MAP signin.ebay.com 127.0.0.1\" "
                "--ignore-certificate-errors-spki-list=" +
                    secureServer.keyHash);
        AppProgram::SetUp();
        start();
        pictures.pictureSelected = [this](bool gallery) {
            window->showWindow();
            window->cmdInsertPicture_Click(gallery ? 1 : 0);
        };
        QString error;
        window = createSubmissionWindow(link, nullptr, &error);
        ASSERT_TRUE(window) << error.toStdString();
        w = window->widget();
        view = w->findChild<QWebEngineView*>();
        ASSERT_TRUE(view);
        ASSERT_GT(server.port, 0);
    }

    void TearDown() override
    {
        if (window)
            w->close();
        window.reset();
    }

    template <typename T = QPushButton> T* find(const QString& name) { return w->findChild<T*>(name); }
    void click(const QString& name) { find(name)->click(); }

    // The states of Start, the assist buttons, Back, Continue and Cancel: h hidden, - disabled,
    // + enabled, * highlighted.
    QString buttons()
    {
        QStringList out;
        for (const char16_t* name :
             {u"cmdStart", u"cmdSignIn", u"cmdInsertTitle", u"cmdInsertDescription", u"cmdInsertPicture_0",
              u"cmdInsertPicture_1", u"cmdPrevious", u"cmdNext", u"cmdCancel"}) {
            QPushButton* b = find(QString::fromUtf16(name));
            QString s = b->isHidden() ? u"h"_s : b->isEnabled() ? u"+"_s : u"-"_s;
            if (b->styleSheet().contains(u"#E0E0E0"_s))
                s += u'*';
            out << s;
        }
        return out.join(u' ');
    }

    // Waits for page `file` to have loaded and been recognised with the button row `expected`.
    bool reach(const QString& file, const QString& expected)
    {
        const bool ok = waitFor([&] { return view->url().fileName() == file && buttons() == expected; });
        if (!ok)
            ADD_FAILURE() << "at " << view->url().toString().toStdString() << " with "
                          << buttons().toStdString() << ", waiting for " << file.toStdString() << " with "
                          << expected.toStdString();
        return ok;
    }

    QVariant evaluate(const QString& script)
    {
        auto result = std::make_shared<std::optional<QVariant>>();
        view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                    [result](const QVariant& v) { *result = v; });
        waitFor([result] { return result->has_value(); }, 10000);
        return result->value_or(QVariant());
    }
    QString field(int form, const QString& name)
    {
        return evaluate(u"document.forms["_s + QString::number(form) + u"].elements.namedItem('"_s + name +
                        u"').value"_s)
            .toString();
    }

    QStringList titlesSince(qsizetype from) const { return ds.messageTitles().mid(from); }

    int hidden = 0;
    frmImgs pictures{state, ds};
    SubmissionLink link{
        program, ds,
        SubmissionLink::Windows{[this] { ++hidden; }, [] {}, [this] { pictures.showPicking(); }}};
    PagesServer server;
    PagesServer secureServer{true};
    std::unique_ptr<SubmissionWindow> window;
    QWidget* w = nullptr;
    QWebEngineView* view = nullptr;
};

TEST_F(SubmissionWindowTest, WalksTheWholeSubmissionOverTheSellingPages)
{
    // Quotes, backslashes and markup that would end a script or a string literal arrive intact.
    const QString password = u"p\"a'ss\\</script><b>&amp;"_s;
    const QString title = u"Big \"Bear\" </script><b> & 'toy' \\o/ lot of 12 collectors"_s;
    ASSERT_EQ(title.size(), 56);
    state.ad.setText(AdRecord::Text::Title, title);
    state.pictures.setText(0, u"http://pics.example/my photo 1.jpg"_s);
    state.pictures.setText(1, u"http://pics.example/gallery shot.jpg"_s);

    window->showWindow();
    ASSERT_TRUE(reach(u"submit.htm"_s, u"+* - - - - - + + -"_s));
    EXPECT_EQ(w->windowTitle(), u"Ad Submission Process"_s);

    find<QLineEdit>(u"txteBayUsername"_s)->setText(u"seller \"one\""_s);
    find<QLineEdit>(u"txtSellingURL"_s)->setText(server.url(u"signin.html"_s));
    // Every edit is in eBaycfg.txt at once.
    EXPECT_EQ(install.readLines(u"eBaycfg.txt"_s).value(2), server.url(u"signin.html"_s));

    // No connection: the message and the welcome page, no window hidden.
    ds.setConnected(false);
    qsizetype seen = ds.messageTitles().size();
    click(u"cmdStart"_s);
    EXPECT_EQ(titlesSince(seen), QStringList{u"Error: No Internet Connection Detected"_s});
    EXPECT_EQ(hidden, 0);
    ds.setConnected(true);

    click(u"cmdStart"_s);
    ASSERT_TRUE(reach(u"signin.html"_s, u"h +* - - - - - - +"_s));
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(w->windowTitle(), u"Ad Submission Process - { Sell Your Item - Sign In }"_s);

    // Cancel, then a Start that fails stays silent.
    seen = ds.messageTitles().size();
    click(u"cmdCancel"_s);
    ASSERT_TRUE(reach(u"submit.htm"_s, u"+ - - - - - - - -"_s));
    find<QLineEdit>(u"txtSellingURL"_s)->setText(u"http://127.0.0.1:1/"_s);
    click(u"cmdStart"_s);
    EXPECT_TRUE(
        waitFor([&] { return view->url().fileName() == u"submit.htm" && find(u"cmdStart"_s)->isEnabled(); }));
    EXPECT_EQ(titlesSince(seen), QStringList{u"Cancel Submission"_s});

    // eBay's sign-in host over HTTPS, served by our pages server on loopback.
    find<QLineEdit>(u"txtSellingURL"_s)->setText(secureServer.url(u"signin.html"_s, u"signin.ebay.com"_s));
    click(u"cmdStart"_s);
    ASSERT_TRUE(reach(u"signin.html"_s, u"h +* - - - - - - +"_s));

    // Auto Sign-in: without a password only the message; then the second form filled and sent.
    seen = ds.messageTitles().size();
    click(u"cmdSignIn"_s);
    EXPECT_EQ(titlesSince(seen), QStringList{u"Error: No username or password specified"_s});
    EXPECT_EQ(field(1, u"userid"_s), QString());
    find<QLineEdit>(u"txteBayPassword"_s)->setText(password);
    ASSERT_EQ(find<QLineEdit>(u"txteBayPassword"_s)->text(), password);
    click(u"cmdSignIn"_s);
    ASSERT_TRUE(reach(u"format.html"_s, u"h - - - - - - + +"_s));
    EXPECT_EQ(find(u"cmdSignIn"_s)->text(), u"Success!"_s);
    EXPECT_EQ(evaluate(u"new URLSearchParams(location.search).get('pass')"_s).toString(), password);
    EXPECT_EQ(evaluate(u"new URLSearchParams(location.search).get('userid')"_s).toString(),
              u"seller \"one\""_s);
    EXPECT_EQ(w->windowTitle(), u"Ad Submission Process - { Sell Your Item: Choose a Selling Format }"_s);
    EXPECT_TRUE(waitFor([&] {
        return find<QStatusBar>(u"statusListAd"_s)->currentMessage() == u"Status: Waiting For Your Input";
    }));

    // Continue and Back press the page's own buttons.
    click(u"cmdNext"_s);
    ASSERT_TRUE(reach(u"category.html"_s, u"h - - - - - + + +"_s));
    click(u"cmdPrevious"_s);
    ASSERT_TRUE(reach(u"format.html"_s, u"h - - - - - - + +"_s));
    click(u"cmdNext"_s);
    ASSERT_TRUE(reach(u"category.html"_s, u"h - - - - - + + +"_s));
    click(u"cmdNext"_s);
    ASSERT_TRUE(reach(u"item_details.html"_s, u"h - - - - - + + +"_s));
    click(u"cmdNext"_s);
    ASSERT_TRUE(reach(u"describe.html"_s, u"h - +* +* - - + + +"_s));

    // The title cut to 55 characters after the message; the ad keeps its own.
    seen = ds.messageTitles().size();
    click(u"cmdInsertTitle"_s);
    EXPECT_TRUE(waitFor([&] { return find(u"cmdInsertTitle"_s)->text() == u"Success!"; }));
    EXPECT_EQ(titlesSince(seen), QStringList{u"Title Exceeds Character Limit"_s});
    EXPECT_EQ(field(0, u"ItemTitle"_s), title.left(55));
    EXPECT_EQ(state.ad.text(AdRecord::Text::Title), title);

    // The description is the ad generated on the spot; the note shows once.
    seen = ds.messageTitles().size();
    click(u"cmdInsertDescription"_s);
    EXPECT_TRUE(waitFor([&] { return find(u"cmdInsertDescription"_s)->text() == u"Success!"; }));
    EXPECT_EQ(titlesSince(seen), QStringList{u"Note About Inserting Description"_s});
    EXPECT_EQ(install.readLines(u"eBaycfg.txt"_s).value(3), u"False"_s);
    const QString ad = ds.clipboardText();
    EXPECT_TRUE(ad.contains(u"Bear"_s));
    // A text area gives its value back with LF line breaks (and sends CR LF again with the form).
    QString shown = ad;
    shown.replace(u"\r\n"_s, u"\n"_s);
    EXPECT_EQ(field(0, u"ItemDescription"_s), shown);
    EXPECT_TRUE(ad.contains(u"\r\n"_s));
    EXPECT_EQ(buttons(), u"h - - - - - + + +"_s);

    click(u"cmdNext"_s);
    ASSERT_TRUE(reach(u"pictures.html"_s, u"h - - - +* +* + + +"_s));
    // No choice yet: the picture window in picking mode; Select puts the picture in the form.
    click(u"cmdInsertPicture_0"_s);
    ASSERT_TRUE(waitFor([&] { return pictures.isVisible(); }));
    QPushButton* select0 = pictures.findChild<QPushButton*>(u"cmdSelectPic_0"_s);
    ASSERT_TRUE(select0->isVisible() && select0->isEnabled());
    select0->click();
    EXPECT_FALSE(pictures.isVisible());
    EXPECT_TRUE(waitFor([&] { return find(u"cmdInsertPicture_0"_s)->text() == u"Success!"; }));
    EXPECT_EQ(field(0, u"PictureURL"_s), u"http://pics.example/my%20photo%201.jpg"_s);
    EXPECT_TRUE(state.picks.mainChoice.isEmpty());

    click(u"cmdInsertPicture_1"_s);
    ASSERT_TRUE(waitFor([&] { return pictures.isVisible(); }));
    pictures.findChild<QPushButton*>(u"cmdSelectPic_1"_s)->click();
    EXPECT_TRUE(waitFor([&] { return find(u"cmdInsertPicture_1"_s)->text() == u"Success!"; }));
    EXPECT_EQ(field(0, u"GalleryURL"_s), u"http://pics.example/gallery%20shot.jpg"_s);
    EXPECT_TRUE(evaluate(u"document.forms[0].elements[3].checked"_s).toBool());
    EXPECT_FALSE(evaluate(u"document.forms[0].elements[2].checked"_s).toBool());

    // The site's own picture hosting refuses both buttons.
    click(u"cmdNext"_s);
    ASSERT_TRUE(reach(u"hosting.html"_s, u"h - - - +* +* + + +"_s));
    seen = ds.messageTitles().size();
    click(u"cmdInsertPicture_0"_s);
    EXPECT_TRUE(waitFor([&] { return ds.messageTitles().size() > seen; }));
    EXPECT_EQ(titlesSince(seen), QStringList{u"Unable To Insert Image(s)"_s});
    EXPECT_FALSE(pictures.isVisible());

    click(u"cmdNext"_s);
    ASSERT_TRUE(reach(u"payment.html"_s, u"h - - - - - + + +"_s));
    seen = ds.messageTitles().size();
    click(u"cmdNext"_s);
    ASSERT_TRUE(reach(u"confirm.html"_s, u"h - - - - - - - -"_s));
    EXPECT_EQ(titlesSince(seen), QStringList{u"Congratulations!"_s});
    // Continue on a page without the button: the message, nothing else.
    seen = ds.messageTitles().size();
    find(u"cmdNext"_s)->setEnabled(true);
    click(u"cmdNext"_s);
    EXPECT_TRUE(waitFor([&] { return ds.messageTitles().size() > seen; }));
    EXPECT_EQ(titlesSince(seen), QStringList{u"Error During Submission"_s});
}

TEST_F(SubmissionWindowTest, UnknownPagesTurnTheAssistButtonsOffAndLeaveBackAndContinue)
{
    window->showWindow();
    ASSERT_TRUE(reach(u"submit.htm"_s, u"+* - - - - - + + -"_s));
    find<QLineEdit>(u"txtSellingURL"_s)->setText(server.url(u"other.html"_s));
    click(u"cmdStart"_s);
    ASSERT_TRUE(reach(u"other.html"_s, u"h - - - - - + + +"_s));
    EXPECT_EQ(w->windowTitle(), u"Ad Submission Process - { Some Other Page }"_s);

    // Over plain HTTP, and over HTTPS from a host that is not eBay's, Auto Sign-in fills in nothing
    // and says why; the box warns of an address that is not https://.
    find<QLineEdit>(u"txteBayUsername"_s)->setText(u"seller"_s);
    find<QLineEdit>(u"txteBayPassword"_s)->setText(u"secret"_s);
    const std::pair<QString, QString> refused[] = {
        {secureServer.url(u"signin.html"_s), u"Error: Not eBay's Sign-in Page"_s},
        {server.url(u"signin.html"_s), u"Error: Sign-in Page Not Secure"_s}};
    for (const auto& [address, title] : refused) {
        click(u"cmdCancel"_s);
        ASSERT_TRUE(waitFor(
            [&] { return view->url().fileName() == u"submit.htm" && find(u"cmdStart"_s)->isEnabled(); }));
        find<QLineEdit>(u"txtSellingURL"_s)->setText(address);
        EXPECT_EQ(find<QLabel>(u"lblSellingURLWarning"_s)->isVisibleTo(w), address.startsWith(u"http:"));
        click(u"cmdStart"_s);
        ASSERT_TRUE(reach(u"signin.html"_s, u"h +* - - - - - - +"_s));
        const qsizetype seen = ds.messageTitles().size();
        click(u"cmdSignIn"_s);
        EXPECT_EQ(titlesSince(seen), QStringList{title});
        EXPECT_EQ(field(1, u"userid"_s), QString());
        EXPECT_EQ(field(1, u"pass"_s), QString());
        EXPECT_TRUE(find(u"cmdSignIn"_s)->isEnabled());
    }
    // Without a keyring the note says where the password is instead.
    EXPECT_TRUE(find<QLabel>(u"Label4"_s)->text().contains(u"in a file only you can read"_s));

    // Closed and opened again, the window is loaded afresh, the warning with it.
    find<QLineEdit>(u"txtSellingURL"_s)->setText(secureServer.url(u"other.html"_s));
    w->close();
    QStringList account = install.readLines(u"eBaycfg.txt"_s);
    account[2] = server.url(u"other.html"_s);
    install.writeLines(u"eBaycfg.txt"_s, account);
    window->showWindow();
    ASSERT_TRUE(reach(u"submit.htm"_s, u"+* - - - - - + + -"_s));
    EXPECT_EQ(w->windowTitle(), u"Ad Submission Process"_s);
    EXPECT_TRUE(find<QLabel>(u"lblSellingURLWarning"_s)->isVisibleTo(w));

    // An empty selling address refuses Start with its message and hides nothing.
    find<QLineEdit>(u"txtSellingURL"_s)->clear();
    const qsizetype seen = ds.messageTitles().size();
    const int hiddenBefore = hidden;
    click(u"cmdStart"_s);
    EXPECT_EQ(titlesSince(seen), QStringList{u"Error in 'Submit Ad' Field(s)"_s});
    EXPECT_EQ(hidden, hiddenBefore);
    EXPECT_EQ(install.readLines(u"eBaycfg.txt"_s).value(2), QString());

    // Paste Default Link puts the built-in selling address back, into the box and the file.
    click(u"cmdInsertSellURL"_s);
    EXPECT_EQ(find<QLineEdit>(u"txtSellingURL"_s)->text(), link.defaultSellingUrl());
    EXPECT_FALSE(find<QLabel>(u"lblSellingURLWarning"_s)->isVisibleTo(w));
    EXPECT_EQ(install.readLines(u"eBaycfg.txt"_s).value(2), link.defaultSellingUrl());

    // The password box refuses what the stored shift cannot give back.
    auto* password = find<QLineEdit>(u"txteBayPassword"_s);
    password->clear();
    for (const QChar c : QString::fromUtf16(u"ab\u00ffc\u20ac")) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(password, &key);
    }
    EXPECT_EQ(password->text(), QString::fromUtf16(u"abc\u20ac"));

    // The window's own update check, without a connection: its message, the buttons as they were.
    ds.setConnected(false);
    click(u"cmdCheckUpdates"_s);
    ASSERT_FALSE(ds.messages().isEmpty());
    EXPECT_TRUE(ds.messages().last().text.contains(u"connect to the internet now"_s));
    EXPECT_TRUE(find(u"cmdCheckUpdates"_s)->isEnabled());
    EXPECT_FALSE(find(u"cmdDownloadUpdates"_s)->isEnabled());

    // Never smaller than 9765 by 7170 twips.
    w->resize(300, 200);
    EXPECT_TRUE(waitFor([&] { return w->width() >= 651 && w->height() >= 478; }, 2000));
}

} // namespace
} // namespace lw::test
