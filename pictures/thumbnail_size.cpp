#include "pictures/thumbnail_size.h"

#include "core/text_file.h"
#include "core/twips.h"

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// A number as the seller may type it ("300", " 300 ", "300.5"); nullopt otherwise.
std::optional<double> numberOf(const QString& text)
{
    if (!isNumber(text))
        return std::nullopt;
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

} // namespace

ThumbOrientation orientationFromWidth(const QString& width)
{
    const std::optional<double> w = numberOf(width);
    if (w && *w == DefaultThumbLong)
        return ThumbOrientation::Landscape;
    if (w && *w == DefaultThumbShort)
        return ThumbOrientation::Portrait;
    return ThumbOrientation::Custom;
}

bool isDefaultThumbSize(const QString& width, const QString& height)
{
    const std::optional<double> w = numberOf(width);
    const std::optional<double> h = numberOf(height);
    if (!w || !h)
        return false;
    return (*w == DefaultThumbLong && *h == DefaultThumbShort) ||
           (*w == DefaultThumbShort && *h == DefaultThumbLong);
}

bool validCustomSize(const QString& width, const QString& height)
{
    const std::optional<double> w = numberOf(width);
    const std::optional<double> h = numberOf(height);
    return w && h && *w > 0 && *h > 0 && *w <= MaxCustomThumbWidth && *h <= MaxCustomThumbHeight;
}

ThumbSize defaultThumbSize(ThumbOrientation orientation)
{
    if (orientation == ThumbOrientation::Portrait)
        return {QString::number(DefaultThumbShort), QString::number(DefaultThumbLong)};
    return {QString::number(DefaultThumbLong), QString::number(DefaultThumbShort)};
}

QRect orientationPictureTwips(ThumbOrientation orientation)
{
    if (orientation == ThumbOrientation::Portrait)
        return QRect(3420, 345, 270, 360);
    return QRect(3375, 390, 360, 270);
}

QRect orientationPictureRect(ThumbOrientation orientation)
{
    const QRect t = orientationPictureTwips(orientation);
    return QRect(t.x() / TwipsPerPixel, t.y() / TwipsPerPixel, t.width() / TwipsPerPixel,
                 t.height() / TwipsPerPixel);
}

QString customWidthMessage(const QString& currentWidth)
{
    return u"Please enter how many pixels WIDE you wish the thumbnail (preview) image(s) to appear.  The current value is "_s +
           currentWidth + u"."_s;
}

QString customHeightMessage(const QString& currentHeight)
{
    return u"Please enter how many pixels TALL you wish the thumbnail (preview) image(s) to appear.  The current value is "_s +
           currentHeight + u"."_s;
}

} // namespace lw
