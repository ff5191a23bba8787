#include "generator/markup.h"

#include <QList>
#include <QVarLengthArray>

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

bool replaceEvery(QString& text, QStringView token, QStringView value, QString* spare, qsizetype maxSize,
                  bool* tooLarge)
{
    const qsizetype n = token.size();
    if (n == 0)
        return false;
    const QChar first = token.front();
    const QStringView rest = token.sliced(1);
    const QStringView view(text);
    QVarLengthArray<qsizetype, 32> hits;
    for (qsizetype from = 0;;) {
        const qsizetype i = view.indexOf(first, from);
        if (i < 0 || i > view.size() - n)
            break;
        if (view.sliced(i + 1, n - 1) == rest) {
            hits.append(i);
            from = i + n;
        } else {
            from = i + 1;
        }
    }
    if (hits.isEmpty())
        return false;
    const qsizetype size = view.size() + qsizetype(hits.size()) * (value.size() - n);
    if (maxSize >= 0 && size > maxSize) {
        if (tooLarge)
            *tooLarge = true;
        return false;
    }
    QString local;
    QString& out = spare ? *spare : local;
    out.resize(0); // keeps the spare's buffer
    out.reserve(size);
    qsizetype last = 0;
    for (const qsizetype hit : hits) {
        out.append(view.sliced(last, hit - last));
        out.append(value);
        last = hit + n;
    }
    out.append(view.sliced(last));
    text.swap(out);
    return true;
}

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

QString imageFolder(bool preview, const QString& installFolder, const QString& webFolder)
{
    return preview ? installFolder + u"/icons/emt/"_s : webFolder;
}

QString logoFolder(bool preview, const QString& installFolder, const QString& webFolder)
{
    return preview ? installFolder + u"/icons/"_s : webFolder;
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
        replaceEvery(out, code, QString(head + name + digit + u".gif\">"_s));
    for (int n = 1; n <= 24; ++n) {
        const QString number = QString::number(n);
        replaceEvery(out, QString(u"[S"_s + number + u']'), QString(head + u"s_"_s + number + u".gif\">"_s));
    }
    return out;
}

} // namespace lw
