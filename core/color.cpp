#include "core/color.h"

namespace lw {

QString ColorToHtml(qint64 value)
{
    const QString s =
        QString::number(static_cast<quint64>(value) & 0xFFFFFFu, 16).toUpper().rightJustified(6, u'0');
    return u'#' + s.mid(4, 2) + s.mid(2, 2) + s.mid(0, 2);
}

} // namespace lw
