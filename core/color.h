#pragma once

#include <QString>

#include <optional>

namespace lw {

// "#RRGGBB" from a colour value laid out 0x00BBGGRR; digits above the sixth are dropped.
QString ColorToHtml(qint64 value);

// Every colour of the ad is held twice: the value paints swatches, the text goes into the page.
struct ColorPair
{
    QString text = QStringLiteral("#000000");
    qint64 value = 0;

    static ColorPair fromValue(qint64 v) { return {ColorToHtml(v), v}; }
    bool operator==(const ColorPair&) const = default;
};

// 0xRRGGBB from a page's colour text, "#RRGGBB" or "#RGB" (the "#" optional, as browsers read a
// bgcolor attribute); nullopt for anything else, names included.
std::optional<quint32> parseHtmlColor(QStringView text);

// How light a colour looks, 0 for black to 1 for white (relative luminance of sRGB, WCAG 2.1).
double relativeLuminance(quint32 rgb);
// How well text of one colour stands out on the other: 1 (the same) to 21 (black on white),
// whichever of the two is the lighter.
double contrastRatio(quint32 a, quint32 b);

} // namespace lw
