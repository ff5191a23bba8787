#include "core/password_shift.h"

#include "core/text_file.h"

namespace lw {

bool passwordCharAllowed(QChar c)
{
    const int code = windows1252Code(c);
    return code >= 0 && code <= 240;
}

QString scramblePassword(const QString& plain, const QString& marker)
{
    QString out;
    out.reserve(plain.size() + marker.size());
    for (QChar c : plain) {
        const int code = windows1252Code(c);
        // Entry refuses such characters; one that slipped through is kept as it
        // is rather than turned into something else.
        out.append(code >= 0 && code <= 240 ? fromWindows1252(code + 15) : c);
    }
    return out + marker;
}

QString unscramblePassword(const QString& stored)
{
    if (stored.size() <= 9)
        return {};
    QString out;
    const QString body = stored.left(stored.size() - 9);
    out.reserve(body.size());
    for (QChar c : body) {
        const int code = windows1252Code(c);
        out.append(code >= 15 ? fromWindows1252(code - 15) : c);
    }
    return out;
}

} // namespace lw
