#include "markup.h"

#include <QList>

#include <utility>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// Code and picture name, in the order the codes are replaced.
const QList<std::pair<QString, QString>>& letterCodes()
{
    static const QList<std::pair<QString, QString>> codes = [] {
        QList<std::pair<QString, QString>> list;
        for (char16_t c = u'A'; c <= u'Z'; ++c) {
            const QString letter(QChar{c});
            list.append({u'[' + letter + u']', letter});
            list.append({u'[' + letter.toLower() + u']', letter + u's'});
        }
        for (char16_t d : {u'1', u'0', u'2', u'3', u'4', u'5', u'6', u'7', u'8', u'9'})
            list.append({u'[' + QString(QChar{d}) + u']', QString(QChar{d})});
        list.append({u"[!]"_s, u"expl"_s});
        list.append({u"[.]"_s, u"period"_s});
        list.append({u"[,]"_s, u"comma"_s});
        list.append({u"[%]"_s, u"percent"_s});
        list.append({u"[?]"_s, u"question"_s});
        list.append({u"[@]"_s, u"at"_s});
        list.append({u"[$]"_s, u"money"_s});
        list.append({u"[&]"_s, u"and"_s});
        return list;
    }();
    return codes;
}

} // namespace

QString lineBreaksToHtml(const QString& text)
{
    QString out = text;
    return out.replace(u"\r\n"_s, u"<BR>"_s);
}

QString htmlBreaksToLines(const QString& text)
{
    QString out = text;
    return out.replace(u"<BR>"_s, u"\r\n"_s);
}

QString imageFolder(int previewMode, const QString& installFolder, const QString& webFolder)
{
    return previewMode == 1 ? installFolder + u"/icons/emt/"_s : webFolder;
}

QString logoFolder(int previewMode, const QString& installFolder, const QString& webFolder)
{
    return previewMode == 1 ? installFolder + u"/icons/"_s : webFolder;
}

QString styleDigit(int letterStyle)
{
    const QString n = QString::number(static_cast<qint64>(letterStyle) + 1);
    return n.right(1);
}

QString expandCodes(const QString& text, const QString& folder, const QString& digit)
{
    // Every code starts with "["; most texts have none.
    if (!text.contains(u'['))
        return text;
    QString out = text;
    const QString head = u"<img src = \""_s + folder;
    for (const auto& [code, name] : letterCodes())
        if (out.contains(code))
            out.replace(code, head + name + digit + u".gif\">"_s);
    for (int n = 1; n <= 24; ++n) {
        const QString code = u"[S"_s + QString::number(n) + u']';
        if (out.contains(code))
            out.replace(code, head + u"s_"_s + QString::number(n) + u".gif\">"_s);
    }
    return out;
}

} // namespace lw
