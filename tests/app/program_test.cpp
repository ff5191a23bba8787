#include "pictures/address_check.h"
#include "pictures/curl_upload.h"
#include "pictures/picture_preparation.h"
#include "tests/app/app_fixture.h"
#include "tests/pictures/test_servers.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;
using namespace lw;
using namespace lw::test;

using T = AdRecord::Text;
using F = Preferences::Field;

namespace {
const QString GenerationError = u"Error In Ad Generation"_s;
} // namespace

TEST_F(AppProgram, StartupAppliesTheFirstTemplateAndLoadsTheSettingsOnce)
{
    QStringList data = install.readLines(u"templates/01.dat"_s);
    data[27] = u"many"_s; // a damaged table count
    install.writeLines(u"templates/01.dat"_s, data);
    program.startup({});
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Error"_s}) << "one load of the settings, one message";
    EXPECT_TRUE(state.gen.templateText.contains(u"{TITLE}"_s));
    EXPECT_EQ(ad().text(T::TitleSize), u"6"); // the template's own sizes
    EXPECT_TRUE(state.pictures.slot(4).enabled);
    EXPECT_FALSE(state.pictures.slot(5).enabled);
    EXPECT_FALSE(ad().adChanged());
}

TEST_F(AppProgram, GenerateCopiesThePageAndSaysSo)
{
    start();
    ad().setText(T::Title, u"Brass lamp"_s);
    QSignalSpy done(&program, &Program::generated);
    program.mnuOptionsGenerate_Click();
    ASSERT_EQ(done.count(), 1);
    EXPECT_EQ(done[0][1].toString(), ds.clipboardText());
    EXPECT_TRUE(ds.clipboardText().contains(u"Brass lamp"_s));
    EXPECT_EQ(ds.clipboardClears(), 1);
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Your Ad Has Been Generated!"_s});
}

// A generation sends and links the pictures of the moment it started: a picture or title changed while
// they travel belongs to the next generation.
TEST_F(AppProgram, UploadRunsBeforeGenerateOnWhatTheAdHeldWhenItStartedAndItsFailureEndsIt)
{
    start();
    prefs().setFlag(F::FtpAccess, true);
    prefs().setText(F::FtpServer, u"ftp.example"_s);
    prefs().copyFtpAccount();
    prefs().setText(F::WebUrl, u"http://pics.example/"_s);
    state.pictures.setText(0, u"/home/seller/lamp.jpg"_s);
    ad().setText(T::Title, u"Brass lamp"_s);
    ds.setClipboardText(u"before"_s);
    EXPECT_FALSE(generate()) << "no upload: no ad with local pictures";
    EXPECT_EQ(ds.messageTitles(), QStringList{GenerationError});
    ASSERT_TRUE(generate(GenerateMode::PreviewPage)) << "a preview uploads nothing";
    EXPECT_TRUE(state.gen.templateText.contains(u"<img src=\"/home/seller/lamp.jpg\""_s));

    auto* upload = new FakeUpload;
    program.setPictureUpload(std::unique_ptr<PictureUpload>(upload));
    QSignalSpy done(&program, &Program::generated);
    QSignalSpy failed(&program, &Program::failed);
    program.mnuOptionsGenerate_Click();
    program.mnuOptionsGenerate_Click(); // ignored while the first runs
    ASSERT_EQ(upload->starts, 1);
    EXPECT_EQ(upload->last.account.server, u"ftp.example");
    EXPECT_EQ(upload->last.items.value(0).localPath, u"/home/seller/lamp.jpg");
    state.pictures.setText(0, u"/home/seller/vase.jpg"_s);
    ad().setText(T::Title, u"Glass vase"_s);
    EXPECT_TRUE(done.isEmpty());
    Q_EMIT upload->finished(true, {}, {});
    ASSERT_EQ(done.count(), 1);
    const QString page = ds.clipboardText();
    EXPECT_TRUE(page.contains(u"<img src=\"http://pics.example/lamp.jpg\""_s) &&
                page.contains(u"Brass lamp"_s));
    EXPECT_FALSE(page.contains(u"vase"_s));

    ds.clearRecords();
    ds.setClipboardText(u"before"_s);
    ad().setText(T::Description, u"a<BR>b"_s);
    program.mnuOptionsGenerate_Click();
    EXPECT_EQ(upload->last.items.value(0).localPath, u"/home/seller/vase.jpg");
    Q_EMIT upload->finished(false, u"FTP Error"_s, u"Error # 7 - refused"_s);
    ASSERT_EQ(failed.count(), 1);
    EXPECT_EQ(ds.messageTitles(), QStringList{u"FTP Error"_s});
    EXPECT_EQ(ds.clipboardText(), u"before");
    EXPECT_EQ(ad().text(T::Description), u"a\r\nb");
}

// A HEIC picture goes up as a JPEG under its new name, the page links that name and the picture is
// found there on the web server; a web address that does not match the FTP folder is caught before
// the page reaches the clipboard, unless the seller generates anyway.
TEST_F(AppProgram, PreparedPicturesGoUpUnderTheirSentNamesAndAreLookedForOnTheWeb)
{
    if (QStandardPaths::findExecutable(u"heif-enc"_s).isEmpty())
        GTEST_SKIP() << "needs libheif-examples";
    TestServer ftp(ServerKind::Ftp), web(ServerKind::Https);
    ASSERT_TRUE(ftp.error.isEmpty() && web.error.isEmpty()) << QString(ftp.error + web.error).toStdString();
    // The web server serves the FTP folder, as the seller's host does.
    ASSERT_TRUE(QFile::link(ftp.folder, web.folder + u"/images"_s));
    qputenv("LISTWRIGHT_CA_FILE", web.authority.toUtf8());
    start();
    QProcess::execute(u"convert"_s, {u"-size"_s, u"640x480"_s, u"gradient:"_s, install.file(u"src.png"_s)});
    QProcess::execute(u"heif-enc"_s, {install.file(u"src.png"_s), u"-o"_s, install.file(u"IMG_0042.HEIC"_s)});
    const QString site = u"https://"_s + web.account.server;
    useFtp(ftp.account, site + u"/images/"_s);
    state.pictures.setText(0, install.file(u"IMG_0042.HEIC"_s));
    program.setPictureUpload(std::make_unique<CurlUpload>());
    program.setPicturePreparation(std::make_unique<PicturePreparation>());
    program.setAddressCheck(std::make_unique<AddressCheck>());

    QSignalSpy done(&program, &Program::generated);
    QSignalSpy failed(&program, &Program::failed);
    program.mnuOptionsGenerate_Click();
    ASSERT_TRUE(done.wait(60000)) << ds.messageTitles().join(u", "_s).toStdString();
    EXPECT_TRUE(done.last().value(1).toString().contains(u"src=\""_s + site + u"/images/IMG_0042.jpg\""_s));
    QFile sent(ftp.folder + u"/IMG_0042.jpg"_s);
    ASSERT_TRUE(sent.open(QIODevice::ReadOnly));
    EXPECT_TRUE(sent.read(3) == "\xFF\xD8\xFF");
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Your Ad Has Been Generated!"_s});

    prefs().setText(F::WebUrl, site + u"/pictures/"_s);
    ds.clearRecords();
    ds.queueMessageAnswer(MsgResult::Yes); // Generate Anyway
    program.mnuOptionsGenerate_Click();
    ASSERT_TRUE(done.wait(60000));
    ASSERT_EQ(ds.messages().size(), 2);
    EXPECT_TRUE(ds.messages().first().text.contains(u"Image 1: "_s + site + u"/pictures/IMG_0042.jpg"_s));
    ds.clearRecords();
    ds.setClipboardText(u"before"_s);
    program.mnuOptionsGenerate_Click(); // Cancel
    ASSERT_TRUE(failed.wait(60000));
    qunsetenv("LISTWRIGHT_CA_FILE");
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Pictures Not Found On The Web"_s});
    EXPECT_EQ(ds.clipboardText(), u"before");
}

TEST_F(AppProgram, WeightFooterAndFailedTemplatesStopOrShapeThePage)
{
    start();
    ad().setText(T::Pounds, {});
    ad().setText(T::Ounces, {});
    prefs().setFlag(F::ShowCalc, true);
    EXPECT_FALSE(generate());
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Error: Item weight invalid"_s});
    prefs().setFlag(F::ShowCalc, false);
    ASSERT_TRUE(generate(GenerateMode::PreviewPage));
    EXPECT_TRUE(state.gen.templateText.contains(u"Ad Created With Listwright 2.3.2"_s));

    install.write(u"nolink.txt"_s, {});
    SharedState other;
    Program second(other, ds);
    second.startup({});
    QSignalSpy done(&second, &Program::generated);
    second.startGenerate(GenerateMode::PreviewPage);
    ASSERT_EQ(done.count(), 1);
    EXPECT_FALSE(done[0][1].toString().contains(u"Ad Created With"_s));

    ds.clearRecords();
    prefs().setText(F::Terms, u"Pay<BR>promptly"_s);
    install.write(u"templates/01.tpt"_s, QByteArray(32768, 'x'));
    EXPECT_FALSE(generate());
    EXPECT_EQ(ds.messageTitles(), QStringList{GenerationError});
    EXPECT_EQ(prefs().text(F::Terms), u"Pay\r\npromptly");
}

TEST_F(AppProgram, PreviewIsWrittenInAPrivateFolderAndOpened)
{
    start();
    ad().setText(T::Title, u"Caf\u00e9 [a]"_s);
    ASSERT_TRUE(generate(GenerateMode::Preview));
    ASSERT_EQ(ds.shellOpened().size(), 1);
    const QString path = ds.shellOpened().first();
    EXPECT_TRUE(path.endsWith(u"/AdPreview.html"_s));
    EXPECT_EQ(QFileInfo(QFileInfo(path).path()).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    EXPECT_TRUE(QString::fromUtf8(bytes).contains(u"Caf\u00e9 <img src = \""_s + install.path() +
                                                  u"/icons/emt/As1.gif\" alt=\"a\">"_s));

    ds.setShellOpenResult(false);
    ASSERT_TRUE(generate(GenerateMode::Preview));
    EXPECT_EQ(ds.messageTitles(), QStringList{u"Unable To Open Page"_s});
}
