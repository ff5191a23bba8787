#pragma once

#include <QString>
#include <QStringList>

namespace lw {

// The auction site's own domains: the marketplaces, the picture and the static-content hosts. The
// listing check counts links to them as the site's own; Auto Sign-in fills in the password only on
// pages they serve. A header alone, so that the submission module takes it without linking the
// listing check.
inline const QStringList& ebayHosts()
{
    static const QStringList hosts = {
        QStringLiteral("ebay.com"),      QStringLiteral("ebay.co.uk"),  QStringLiteral("ebay.de"),
        QStringLiteral("ebay.fr"),       QStringLiteral("ebay.it"),     QStringLiteral("ebay.es"),
        QStringLiteral("ebay.ca"),       QStringLiteral("ebay.com.au"), QStringLiteral("ebay.at"),
        QStringLiteral("ebay.ch"),       QStringLiteral("ebay.ie"),     QStringLiteral("ebay.nl"),
        QStringLiteral("ebay.be"),       QStringLiteral("ebay.pl"),     QStringLiteral("ebay.com.hk"),
        QStringLiteral("ebay.com.sg"),   QStringLiteral("ebay.com.my"), QStringLiteral("ebay.ph"),
        QStringLiteral("ebay.in"),       QStringLiteral("ebayimg.com"), QStringLiteral("ebaystatic.com"),
        QStringLiteral("ebaymotors.com")};
    return hosts;
}

// Whether `host` is one of `hosts` or a sub-domain of one, in any letter case.
inline bool isHostOf(const QStringList& hosts, const QString& host)
{
    QString h = host.toLower();
    // "ebay.com." is ebay.com written absolute.
    if (h.endsWith(u'.'))
        h.chop(1);
    for (const QString& own : hosts)
        if (h == own || h.endsWith(u'.' + own))
            return true;
    return false;
}

} // namespace lw
