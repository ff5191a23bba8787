#pragma once

#include <QString>

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

} // namespace lw
