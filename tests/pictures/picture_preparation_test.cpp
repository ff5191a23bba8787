#include "pictures/picture_preparation.h"
#include "pictures/web_ready.h"
#include "tests/testlib/test_install.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>

#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

// Runs a picture maker (ImageMagick's convert, libheif's heif-enc); false when it failed.
bool make(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(120000) && process.exitCode() == 0;
}

// What a phone writes: an orientation and where the picture was taken.
void tag(const QString& path, int orientation)
{
    auto image = Exiv2::ImageFactory::open(path.toStdString());
    image->readMetadata();
    image->exifData()["Exif.Image.Orientation"] = uint16_t(orientation);
    image->exifData()["Exif.GPSInfo.GPSLatitude"] = Exiv2::URational(51, 1);
    image->writeMetadata();
}

bool carriesExif(const QString& path)
{
    auto image = Exiv2::ImageFactory::open(path.toStdString());
    image->readMetadata();
    return !image->exifData().empty();
}

TEST(PicturesWebPlan, SendsWebReadyPicturesAsTheyAreAndNamesTheCopiesByTheirFormat)
{
    using P = PictureFormat;
    auto facts = [](P format, int w, int h, int orientation = 1, bool alpha = false, bool colour = false,
                    int pages = 1) {
        return PictureFacts{true, format, w, h, orientation, alpha, colour, pages};
    };
    struct Case
    {
        PictureFacts facts;
        QString name;
        bool asIs;
        P format;
        QSize size;
        QString sentName;
    };
    const Case cases[] = {
        {facts(P::Jpeg, 1600, 900), u"a.JPG"_s, true, P::Jpeg, {1600, 900}, u"a.JPG"_s},
        {facts(P::Jpeg, 4032, 3024), u"a.JPG"_s, false, P::Jpeg, {1600, 1200}, u"a.JPG"_s},
        {facts(P::Jpeg, 1200, 900, 6), u"a.jpeg"_s, false, P::Jpeg, {900, 1200}, u"a.jpeg"_s},
        {facts(P::Jpeg, 4000, 3000, 8), u"a.jpg"_s, false, P::Jpeg, {1200, 1600}, u"a.jpg"_s},
        {facts(P::Png, 800, 600, 1, true), u"b.png"_s, true, P::Jpeg, {800, 600}, u"b.png"_s},
        {facts(P::Png, 4000, 3000, 1, true), u"b.png"_s, false, P::Png, {1600, 1200}, u"b.png"_s},
        {facts(P::Png, 4000, 3000), u"b.png"_s, false, P::Jpeg, {1600, 1200}, u"b.jpg"_s},
        {facts(P::Png, 800, 600, 1, false, true), u"deep.png"_s, false, P::Jpeg, {800, 600}, u"deep.jpg"_s},
        {facts(P::Gif, 2000, 1000, 1, false, false, 12), u"c.gif"_s, false, P::Gif, {1600, 800}, u"c.gif"_s},
        {facts(P::Other, 4032, 3024), u"IMG_0042.HEIC"_s, false, P::Jpeg, {1600, 1200}, u"IMG_0042.jpg"_s},
        {facts(P::Other, 400, 300, 1, true), u"d.webp"_s, false, P::Png, {400, 300}, u"d.png"_s},
        {facts(P::Other, 400, 300), u"scan"_s, false, P::Jpeg, {400, 300}, u"scan.jpg"_s},
        {PictureFacts{}, u"notes.txt"_s, true, P::Jpeg, {0, 0}, u"notes.txt"_s}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const WebPlan plan = webPlan(c.facts, c.name, DefaultLongestSide);
        EXPECT_EQ(plan.asIs, c.asIs);
        EXPECT_EQ(plan.wanted.format, c.format);
        EXPECT_EQ(QSize(plan.width, plan.height), c.size);
        EXPECT_EQ(plan.remoteName, c.sentName);
    }
}

TEST(PicturesWebPlan, TheWindowsNoteSaysWhatIsSentOrWhatIsWrong)
{
    const PictureFacts phone{true, PictureFormat::Jpeg, 4032, 3024};
    const WebPlan plan = webPlan(phone, u"a.jpg"_s, DefaultLongestSide);
    const struct
    {
        PictureFacts facts;
        bool exists, prepared;
        QString text;
        bool warning;
    } cases[] = {{phone, true, true, u"4032\u00D73024, 3.1 MB \u2192 1600\u00D71200"_s, false},
                 {phone, true, false, u"4032\u00D73024, 3.1 MB"_s, false},
                 {{true, PictureFormat::Jpeg, 320, 240},
                  true,
                  true,
                  u"Only 320\u00D7240: the site wants 500 px"_s,
                  true},
                 {{}, true, true, u"Not a picture Listwright can read"_s, true},
                 {{}, false, true, u"File not found"_s, true}};
    for (const auto& c : cases) {
        const PictureNote note = pictureNote(c.facts, c.exists, 3'100'000, plan, c.prepared);
        EXPECT_EQ(note.text, c.text);
        EXPECT_EQ(note.warning, c.warning);
    }
}

class PicturesPreparation : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(u"convert"_s).isEmpty() ||
            QStandardPaths::findExecutable(u"heif-enc"_s).isEmpty())
            GTEST_SKIP() << "needs ImageMagick and libheif-examples";
    }
    QString file(const QString& name) const { return sellers.file(name); }
    // Runs a preparation to its end; its items.
    QList<UploadItem> prepare(const QList<UploadItem>& items, bool* ok)
    {
        QSignalSpy done(&preparation, &PicturePreparation::finished);
        preparation.start(items, DefaultLongestSide);
        EXPECT_TRUE(done.wait(60000));
        *ok = !done.isEmpty() && done.first().first().toBool();
        EXPECT_TRUE(*ok) << done.value(0).value(2).toString().toStdString();
        return preparation.items();
    }

    test::TestInstall sellers{false};
    PicturePreparation preparation;
};

TEST_F(PicturesPreparation, TurnsSizesAndConvertsWhatNeedsItAndLeavesTheRestAndTheSellersFiles)
{
    // Sideways: the left half red, the right half blue, tagged to be turned a quarter clockwise.
    ASSERT_TRUE(make(u"convert"_s, {u"-size"_s, u"150x200"_s, u"xc:red"_s, u"-size"_s, u"150x200"_s,
                                    u"xc:blue"_s, u"+append"_s, file(u"sideways.jpg"_s)}));
    tag(file(u"sideways.jpg"_s), 6);
    ASSERT_TRUE(make(u"convert"_s, {u"-size"_s, u"6000x4000"_s, u"xc:gray60"_s, file(u"big.jpg"_s)}));
    tag(file(u"big.jpg"_s), 1);
    ASSERT_TRUE(
        make(u"convert"_s, {u"-size"_s, u"800x600"_s, u"gradient:white-navy"_s, file(u"ready.jpg"_s)}));
    ASSERT_TRUE(make(u"convert"_s, {u"-size"_s, u"3000x2000"_s, u"xc:none"_s, u"-fill"_s, u"red"_s,
                                    u"-draw"_s, u"circle 1500,1000 1500,200"_s, file(u"clear.png"_s)}));
    ASSERT_TRUE(make(u"convert"_s, {u"-size"_s, u"640x480"_s, u"gradient:red-blue"_s, file(u"heic.png"_s)}));
    ASSERT_TRUE(make(u"heif-enc"_s, {file(u"heic.png"_s), u"-o"_s, file(u"IMG_0042.HEIC"_s)}));
    sellers.write(u"s_1.gif"_s, "GIF89a");

    struct Case
    {
        QString file, sentName;
        QSize size;
        const char* format; // of the copy; nullptr: the seller's file goes as it is
        bool alpha;
    };
    const Case cases[] = {{u"sideways.jpg"_s, u"sideways.jpg"_s, {200, 300}, "jpeg", false},
                          {u"big.jpg"_s, u"big.jpg"_s, {1600, 1067}, "jpeg", false},
                          {u"ready.jpg"_s, u"ready.jpg"_s, {800, 600}, nullptr, false},
                          {u"clear.png"_s, u"clear.png"_s, {1600, 1067}, "png", true},
                          {u"IMG_0042.HEIC"_s, u"IMG_0042.jpg"_s, {640, 480}, "jpeg", false}};
    QList<UploadItem> items;
    QList<QByteArray> originals;
    for (const Case& c : cases) {
        items.append({int(items.size()), file(c.file), {}, c.file});
        originals << sellers.read(c.file);
    }
    items.append({-1, file(u"s_1.gif"_s), u"listwright"_s, u"s_1.gif"_s}); // an emoticon goes as it is

    bool ok = false;
    const QList<UploadItem> sent = prepare(items, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(sent.size(), items.size());
    EXPECT_EQ(sent.last().localPath, items.last().localPath);
    for (int k = 0; k < int(std::size(cases)); ++k) {
        const Case& c = cases[k];
        SCOPED_TRACE(c.file.toStdString());
        EXPECT_EQ(sellers.read(c.file), originals[k]);
        EXPECT_EQ(sent[k].remoteName, c.sentName);
        if (!c.format) {
            EXPECT_EQ(sent[k].localPath, items[k].localPath);
            continue;
        }
        // The page links the copy by its file name, which is the name it goes up under.
        EXPECT_EQ(QFileInfo(sent[k].localPath).fileName(), c.sentName);
        EXPECT_EQ(QFileInfo(sent[k].localPath).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0);
        EXPECT_FALSE(carriesExif(sent[k].localPath));
        const QImage copy(sent[k].localPath, c.format);
        EXPECT_EQ(copy.size(), c.size);
        EXPECT_EQ(copy.hasAlphaChannel(), c.alpha);
        if (k == 0) {
            EXPECT_GT(qRed(copy.pixel(100, 50)), 200) << "the left side is up";
            EXPECT_GT(qBlue(copy.pixel(100, 250)), 200);
        }
    }
    const QString folder = QFileInfo(sent[0].localPath).path();
    preparation.discard();
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(PicturesPreparation, AbortStopsWithinASecondAndLeavesNothingBehind)
{
    ASSERT_TRUE(make(u"convert"_s,
                     {u"-size"_s, u"3000x2000"_s, u"xc:"_s, u"+noise"_s, u"Random"_s, file(u"noise.jpg"_s)}));
    QList<UploadItem> items;
    for (int k = 0; k < 8; ++k)
        items.append({k, file(u"noise.jpg"_s), {}, u"noise.jpg"_s});
    QSignalSpy started(&preparation, &PicturePreparation::pictureStarted);
    QSignalSpy done(&preparation, &PicturePreparation::finished);
    preparation.start(items, 1000);
    ASSERT_TRUE(started.wait(10000));
    QElapsedTimer clock;
    clock.start();
    preparation.abort();
    ASSERT_TRUE(done.wait(5000));
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(done.first().first().toBool());
    EXPECT_EQ(done.first().at(2).toString(), preparationAbortedText());
    EXPECT_LT(started.size(), items.size());
    // Copies made before the abort are gone with it.
    for (const UploadItem& item : preparation.items())
        EXPECT_TRUE(item.localPath == items.first().localPath || !QFileInfo::exists(item.localPath));
}

} // namespace
