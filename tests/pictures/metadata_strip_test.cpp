#include "pictures/metadata_strip.h"
#include "tests/core/damaged_input.h"
#include "tests/testlib/test_install.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QImage>

#include <exiv2/exiv2.hpp>
#include <gtest/gtest.h>

#include <optional>
#include <tuple>

using namespace Qt::StringLiterals;
using namespace lw;

namespace {

// A gradient with an sRGB profile, which Qt writes as ICC.
QByteArray picture(const char* format)
{
    QImage image(24, 16, QImage::Format_RGB32);
    for (int k = 0; k < 24 * 16; ++k)
        image.setPixel(k % 24, k / 24, qRgb(k % 24 * 10, k / 24 * 15, 128));
    image.setColorSpace(QColorSpace::SRgb);
    QBuffer buffer;
    image.save(&buffer, format);
    return buffer.data();
}

// What a phone leaves in a photo: its orientation, and who took it where.
QByteArray withMetadata(const QByteArray& bare)
{
    auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(bare.data()), bare.size());
    image->readMetadata();
    image->exifData()["Exif.Image.Orientation"] = uint16_t(6);
    image->exifData()["Exif.GPSInfo.GPSLatitude"] = Exiv2::URational(51, 1);
    image->exifData()["Exif.Image.Make"] = "PhoneMaker";
    image->xmpData()["Xmp.dc.creator"] = "JaneSeller";
    image->iptcData()["Iptc.Application2.City"] = "Hometown";
    if (image->mimeType() != "image/webp") // Exiv2 refuses a comment in WebP
        image->setComment("JaneKitchen");
    image->writeMetadata();
    image->io().open();
    QByteArray bytes(reinterpret_cast<const char*>(image->io().mmap()), image->io().size());
    if (image->mimeType() == "image/jpeg") // XMP beyond one segment, as Pixel phones write
        bytes.insert(2, QByteArray::fromHex("FFE1002E") + "http://ns.adobe.com/xmp/extension/\0MakerNote"_ba);
    return bytes;
}

TEST(PicturesMetadataStrip, UploadedCopyKeepsOnlyOrientationProfileAndPixels)
{
    // The content tells the format, not the name; the compressed pixels start at the marker. Qt cannot
    // write WebP: a 1x1 one stands in.
    const std::tuple<QByteArray, QString, QByteArray, QColorSpace> cases[] = {
        {picture("JPEG"), u"a.jpg"_s, "\xFF\xDA", QColorSpace::SRgb},
        {picture("PNG"), u"b.PNG"_s, "IDAT", QColorSpace::SRgb},
        {QByteArray::fromBase64("UklGRhoAAABXRUJQVlA4TA0AAAAvAAAAEAcQERGIiP4HAA=="), u"c"_s, "VP8L", {}}};
    for (const auto& [bare, name, pixels, profile] : cases) {
        SCOPED_TRACE(name.toStdString());
        const test::TestInstall sellers(false), temp(false);
        const QByteArray original = withMetadata(bare);
        sellers.write(name, original);

        const StrippedPicture result = pictureForUpload(sellers.file(name), temp.path() + u'/');
        ASSERT_TRUE(result.isCopy && QFileInfo(result.path).dir() == QDir(temp.path()));
        EXPECT_EQ(QFileInfo(result.path).suffix(), QFileInfo(name).suffix());
        EXPECT_EQ(test::fileMode(result.path), 0600);
        EXPECT_EQ(sellers.read(name), original);
        auto copy = Exiv2::ImageFactory::open(result.path.toStdString());
        copy->readMetadata();
        EXPECT_EQ(copy->exifData().count(), 1);
        EXPECT_EQ(copy->exifData()["Exif.Image.Orientation"].toLong(), 6);
        // Nor is anything left of the Exif, XMP, IPTC, comment, or where Exiv2 no longer looks.
        const QByteArray bytes = temp.read(QFileInfo(result.path).fileName());
        for (const char* word : {"PhoneMaker", "JaneSeller", "Hometown", "JaneKitchen", "MakerNote"})
            EXPECT_FALSE(bytes.contains(word)) << word;
        EXPECT_TRUE(bytes.contains(bare.mid(bare.indexOf(pixels))));
        EXPECT_EQ(QImage(result.path).colorSpace(), profile);
        // What is left is what a picture with nothing to remove carries: it goes as it is.
        EXPECT_FALSE(pictureForUpload(result.path, temp.path()).isCopy);
    }
}

TEST(PicturesMetadataStrip, SellersFileGoesAsItIsWhenNothingCanOrNeedBeRemoved)
{
    const QByteArray jpeg = withMetadata(picture("JPEG"));
    const std::pair<const char*, std::optional<QByteArray>> cases[] = {
        {"PNG with a profile only", picture("PNG")},
        {"not a picture", QByteArray("GPS 51.4772 N\n")},
        {"JPEG cut inside its Exif", jpeg.left(jpeg.indexOf("PhoneMaker"))},
        {"missing", std::nullopt}};
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const test::TestInstall sellers(false), temp(false);
        const QString source = sellers.file(u"picture.jpg"_s);
        ASSERT_TRUE(!bytes || writeFileAtomic(source, *bytes));
        const StrippedPicture result = pictureForUpload(source, temp.path());
        EXPECT_TRUE(result.path == source && !result.isCopy && QDir(temp.path()).isEmpty());
    }
}

} // namespace
