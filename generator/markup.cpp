#include "generator/markup.h"

#include "generator/alt_text.h"

#include <QList>
#include <QVarLengthArray>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

struct LetterCode
{
    QString code;
    QString picture;
    QString alt; // the character the picture shows
};

// The codes in the order they are replaced.
const QList<LetterCode>& letterCodes()
{
    static const QList<LetterCode> codes = [] {
        QList<LetterCode> list;
        auto add = [&list](const QString& character, const QString& picture) {
            list.append({u'[' + character + u']', picture, attributeText(character)});
        };
        for (char16_t c = u'A'; c <= u'Z'; ++c) {
            const QString letter(QChar{c});
            add(letter, letter);
            add(letter.toLower(), letter + u's');
        }
        for (char16_t d : {u'1', u'0', u'2', u'3', u'4', u'5', u'6', u'7', u'8', u'9'})
            add(QString(QChar{d}), QString(QChar{d}));
        add(u"!"_s, u"expl"_s);
        add(u"."_s, u"period"_s);
        add(u","_s, u"comma"_s);
        add(u"%"_s, u"percent"_s);
        add(u"?"_s, u"question"_s);
        add(u"@"_s, u"at"_s);
        add(u"$"_s, u"money"_s);
        add(u"&"_s, u"and"_s);
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
    for (const LetterCode& c : letterCodes())
        replaceEvery(out, c.code, QString(head + c.picture + digit + u".gif\" alt=\""_s + c.alt + u"\">"_s));
    for (int n = 1; n <= 24; ++n) {
        const QString number = QString::number(n);
        replaceEvery(out, QString(u"[S"_s + number + u']'),
                     QString(head + u"s_"_s + number + u".gif\" alt=\""_s + emoticonWord(n) + u"\">"_s));
    }
    return out;
}

} // namespace lw
