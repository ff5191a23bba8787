#include "core/color.h"

#include <algorithm>
#include <cmath>

namespace lw {

QString ColorToHtml(qint64 value)
{
    const QString s =
        QString::number(static_cast<quint64>(value) & 0xFFFFFFu, 16).toUpper().rightJustified(6, u'0');
    return u'#' + s.mid(4, 2) + s.mid(2, 2) + s.mid(0, 2);
}

std::optional<quint32> parseHtmlColor(QStringView text)
{
    text = text.trimmed();
    if (text.startsWith(u'#'))
        text = text.mid(1);
    if (text.size() != 6 && text.size() != 3)
        return std::nullopt;
    bool ok = false;
    const uint v = text.toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    if (text.size() == 6)
        return v;
    // "#ABC" is "#AABBCC".
    const uint r = v >> 8 & 0xF, g = v >> 4 & 0xF, b = v & 0xF;
    return (r * 0x11) << 16 | (g * 0x11) << 8 | b * 0x11;
}

double relativeLuminance(quint32 rgb)
{
    auto linear = [](quint32 channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(rgb >> 16 & 0xFF) + 0.7152 * linear(rgb >> 8 & 0xFF) + 0.0722 * linear(rgb & 0xFF);
}

double contrastRatio(quint32 a, quint32 b)
{
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace lw
