#include "pictures/metadata_strip.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <exiv2/exiv2.hpp>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

void prepareExiv2()
{
    // Once, before any thread uses XMP; a damaged picture must not write to standard error, which
    // carries the headless command's messages.
    static const bool ready = [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        return Exiv2::XmpParser::initialize();
    }();
    Q_UNUSED(ready);
}

// Formats whose metadata Exiv2 can rewrite without touching the pixels.
bool writable(const Exiv2::Image& image)
{
    const std::string type = image.mimeType();
    return type == "image/jpeg" || type == "image/png" || type == "image/webp";
}

// Orientation keeps the picture upright and names nobody; every other Exif tag may tell where, when
// or with what it was taken (GPS, make, model, serial numbers, dates, maker notes, the thumbnail).
Exiv2::ExifData keptExif(const Exiv2::ExifData& exif)
{
    Exiv2::ExifData kept;
    const auto orientation = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
    if (orientation != exif.end())
        kept.add(*orientation);
    return kept;
}

bool carriesMoreThanKept(const Exiv2::Image& image)
{
    return image.exifData().count() != keptExif(image.exifData()).count() || !image.xmpPacket().empty() ||
           !image.xmpData().empty() || !image.iptcData().empty() || !image.comment().empty();
}

// Exiv2 0.27 leaves the XMP that does not fit one JPEG segment (Google's cameras keep their maker
// note there) where it is, so those segments go before Exiv2 sees the picture. Anything unexpected
// before the pixels ends the walk and is kept as it is.
QByteArray withoutExtendedXmp(const QByteArray& jpeg)
{
    static const QByteArray extended("http://ns.adobe.com/xmp/extension/", 35); // with its NUL
    QByteArray kept = jpeg.left(2);
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF) {
        const uchar marker = uchar(jpeg[at + 1]);
        const qsizetype length = 2 + (uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]));
        if (marker < 0xC0 || marker == 0xDA || marker == 0xFF || at + length > jpeg.size())
            break;
        if (marker != 0xE1 || jpeg.mid(at + 4, extended.size()) != extended)
            kept += jpeg.mid(at, length);
        at += length;
    }
    return kept + jpeg.mid(at);
}

QByteArray contents(Exiv2::BasicIo& io)
{
    if (io.open() != 0)
        return {};
    const long size = static_cast<long>(io.size());
    const Exiv2::DataBuf data = io.read(size);
    io.close();
    if (data.size_ != size)
        return {};
    return QByteArray(reinterpret_cast<const char*>(data.pData_), data.size_);
}

// A new file of our own: the temporary file is created exclusively, so a link planted under its
// name fails the creation instead of being written through.
QString writeCopy(const QByteArray& bytes, const QString& source, const QString& tempFolder)
{
    const QString suffix = QFileInfo(source).suffix();
    QTemporaryFile file(
        QDir(tempFolder).filePath(u"upload-XXXXXX"_s + (suffix.isEmpty() ? QString() : u'.' + suffix)));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        return {};
    file.setAutoRemove(false);
    return file.fileName();
}

// JPEG, PNG or WebP by their first bytes: other files are sent as they are without being read.
bool looksLikeWritablePicture(QFile& file)
{
    const QByteArray head = file.peek(12);
    return head.startsWith("\xFF\xD8\xFF") || head.startsWith("\x89PNG\r\n\x1A\n") ||
           (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP");
}

// Whether a JPEG's segments before its pixels hold extended XMP, read without the pixels.
bool hasExtendedXmp(QFile& file)
{
    static const QByteArray extended("http://ns.adobe.com/xmp/extension/", 35);
    file.seek(2);
    for (;;) {
        const QByteArray header = file.read(4);
        if (header.size() < 4 || uchar(header[0]) != 0xFF)
            return false;
        const uchar marker = uchar(header[1]);
        const qint64 length = 2 + (uchar(header[2]) << 8 | uchar(header[3]));
        if (marker < 0xC0 || marker == 0xDA || marker == 0xFF || length < 4)
            return false;
        if (marker == 0xE1 && file.peek(extended.size()) == extended)
            return true;
        if (!file.seek(file.pos() + length - 4))
            return false;
    }
}

// Most pictures sent carry nothing to remove: that is found from their headers alone.
bool needsStripping(QFile& file, const QString& source)
{
    if (file.peek(2) == "\xFF\xD8" && hasExtendedXmp(file))
        return true;
    const auto image = Exiv2::ImageFactory::open(QFile::encodeName(source).toStdString());
    if (!image.get() || !writable(*image))
        return false;
    image->readMetadata();
    return carriesMoreThanKept(*image);
}

QString strippedCopy(const QString& source, const QString& tempFolder)
{
    // A relative folder would put the copy where others may look.
    if (!QDir::isAbsolutePath(tempFolder))
        return {};
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly) || !looksLikeWritablePicture(in) || !needsStripping(in, source))
        return {};
    in.seek(0);
    // Exiv2 works on a copy in memory, so the seller's file is only ever read.
    const QByteArray original = in.readAll();
    if (in.error() != QFileDevice::NoError || original.isEmpty())
        return {};
    const QByteArray bytes = original.startsWith("\xFF\xD8") ? withoutExtendedXmp(original) : original;
    const auto* data = reinterpret_cast<const Exiv2::byte*>(bytes.constData());
    const long size = static_cast<long>(bytes.size());
    const auto image = Exiv2::ImageFactory::open(data, size);
    if (!image.get() || !writable(*image))
        return {};
    image->readMetadata();
    if (!carriesMoreThanKept(*image) && bytes.size() == original.size())
        return {};
    // The colour profile stays as read; Exiv2 rewrites the metadata segments and chunks only, so
    // the compressed pixels are copied as they are.
    image->setExifData(keptExif(image->exifData()));
    image->clearXmpData();
    image->clearXmpPacket();
    image->clearIptcData();
    image->clearComment();
    image->writeMetadata();
    const QByteArray stripped = contents(image->io());
    if (stripped.isEmpty())
        return {};
    return writeCopy(stripped, source, tempFolder);
}

} // namespace

StrippedPicture pictureForUpload(const QString& source, const QString& tempFolder)
{
    try {
        prepareExiv2();
        const QString copy = strippedCopy(source, tempFolder);
        if (!copy.isEmpty())
            return {copy, true};
    } catch (...) {
        // Exiv2 throws on damaged pictures; the picture then goes as it is.
    }
    return {source, false};
}

} // namespace lw
