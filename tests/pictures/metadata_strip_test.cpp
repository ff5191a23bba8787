#include "core/text_file.h"
#include "pictures/metadata_strip.h"
#include "tests/core/damaged_input.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A gradient with an sRGB profile, which Qt writes as ICC; Qt cannot write WebP: a 1x1 one stands in.
QByteArray picture(const char* format)
{
    if (qstrcmp(format, "WEBP") == 0)
        return QByteArray::fromBase64("UklGRhoAAABXRUJQVlA4TA0AAAAvAAAAEAcQERGIiP4HAA==");
    QImage image(24, 16, QImage::Format_RGB32);
    for (int k = 0; k < 24 * 16; ++k)
        image.setPixel(k % 24, k / 24, qRgb(k % 24 * 10, k / 24 * 15, 128));
    image.setColorSpace(QColorSpace::SRgb);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return buffer.data();
}

// What a phone leaves in a photo: its orientation and, unless only that, who took it where.
QByteArray withMetadata(const QByteArray& bare, bool identifying)
{
    auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(bare.data()), bare.size());
    image->readMetadata();
    image->exifData()["Exif.Image.Orientation"] = uint16_t(6);
    if (identifying) {
        image->exifData()["Exif.GPSInfo.GPSLatitude"] = Exiv2::URational(51, 1);
        image->exifData()["Exif.Image.Make"] = "PhoneMaker";
        image->exifData()["Exif.Image.Model"] = "Phone12";
        image->xmpData()["Xmp.dc.creator"] = "JaneSeller";
        image->iptcData()["Iptc.Application2.City"] = "Hometown";
        if (image->mimeType() != "image/webp") // Exiv2 refuses a comment in WebP
            image->setComment("JaneKitchen");
    }
    image->writeMetadata();
    image->io().open();
    QByteArray bytes(reinterpret_cast<const char*>(image->io().mmap()), image->io().size());
    if (identifying && image->mimeType() == "image/jpeg") // XMP beyond one segment, as Pixel phones write
        bytes.insert(2, "\xFF\xE1\x00\x2E"
                        "http://ns.adobe.com/xmp/extension/\0MakerNote"_ba);
    return bytes;
}

TEST(PicturesMetadataStrip, UploadedCopyKeepsOnlyOrientationProfileAndPixels)
{
    // The content tells the format, not the name; the compressed pixels start at the marker.
    const std::tuple<const char*, QString, QByteArray, QColorSpace> cases[] = {
        {"JPEG", u"a.jpg"_s, "\xFF\xDA", QColorSpace::SRgb},
        {"PNG", u"b.PNG"_s, "IDAT", QColorSpace::SRgb},
        {"WEBP", u"c"_s, "VP8L", {}}};
    for (const auto& [format, name, pixels, profile] : cases) {
        SCOPED_TRACE(format);
        QTemporaryDir sellers, temp;
        const QString source = sellers.filePath(name);
        const QByteArray bare = picture(format), original = withMetadata(bare, true);
        ASSERT_TRUE(writeFileAtomic(source, original));

        const StrippedPicture result = pictureForUpload(source, temp.path() + u'/');
        ASSERT_TRUE(result.isCopy);
        EXPECT_EQ(QFileInfo(result.path).dir(), QDir(temp.path()));
        EXPECT_EQ(QFileInfo(result.path).suffix(), QFileInfo(source).suffix());
        EXPECT_EQ(test::fileMode(result.path), 0600);
        EXPECT_EQ(readAll(source), original);
        auto copy = Exiv2::ImageFactory::open(result.path.toStdString());
        copy->readMetadata();
        EXPECT_EQ(copy->exifData().count(), 1);
        EXPECT_EQ(copy->exifData()["Exif.Image.Orientation"].toLong(), 6);
        EXPECT_TRUE(copy->xmpPacket().empty() && copy->iptcData().empty() && copy->comment().empty());
        // Nor is anything left where Exiv2 no longer looks.
        const QByteArray bytes = readAll(result.path);
        for (const char* word :
             {"PhoneMaker", "Phone12", "JaneSeller", "Hometown", "JaneKitchen", "MakerNote"})
            EXPECT_FALSE(bytes.contains(word)) << word;
        EXPECT_TRUE(bytes.contains(bare.mid(bare.indexOf(pixels))));
        EXPECT_EQ(QImage(result.path).colorSpace(), profile);
    }
}

TEST(PicturesMetadataStrip, SellersFileGoesAsItIsWhenNothingCanOrNeedBeRemoved)
{
    const QByteArray jpeg = withMetadata(picture("JPEG"), true);
    const std::pair<const char*, std::optional<QByteArray>> cases[] = {
        {"orientation and profile only", withMetadata(picture("JPEG"), false)},
        {"PNG with a profile only", picture("PNG")},
        {"not a picture", QByteArray("GPS 51.4772 N\n")},
        {"empty", QByteArray()},
        {"JPEG cut inside its Exif", jpeg.left(jpeg.indexOf("PhoneMaker"))},
        {"missing", std::nullopt}};
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        QTemporaryDir sellers, temp;
        const QString source = sellers.filePath(u"picture.jpg"_s);
        ASSERT_TRUE(!bytes || writeFileAtomic(source, *bytes));
        const StrippedPicture result = pictureForUpload(source, temp.path());
        EXPECT_TRUE(result.path == source && !result.isCopy);
        EXPECT_TRUE(QDir(temp.path()).isEmpty());
    }
}

} // namespace
