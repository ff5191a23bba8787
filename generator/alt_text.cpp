#include "generator/alt_text.h"

#include <QRegularExpression>

#include <iterator>

using namespace Qt::StringLiterals;

namespace lw {

QString emoticonWord(int number)
{
    // Named after the pictures in icons/emt.
    static const char16_t* const words[] = {
        u"smile",      u"grin",    u"wink",      u"sad",      u"surprised", u"cool",
        u"tongue out", u"angry",   u"laughing",  u"confused", u"kiss",      u"sleepy",
        u"heart",      u"star",    u"thumbs up", u"sun",      u"gift",      u"dollar",
        u"check mark", u"warning", u"question",  u"music",    u"flower",    u"lightning"};
    if (number < 1 || number > int(std::size(words)))
        return {};
    return QString::fromUtf16(words[number - 1]);
}

QString attributeText(const QString& text)
{
    static const QRegularExpression reference(u"&(?:[A-Za-z][A-Za-z0-9]*|#[0-9]+|#[xX][0-9A-Fa-f]+);"_s);
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        switch (c.unicode()) {
        case u'"':
            out += u"&quot;"_s;
            break;
        case u'<':
            out += u"&lt;"_s;
            break;
        case u'>':
            out += u"&gt;"_s;
            break;
        case u'{':
            out += u"&#123;"_s;
            break;
        case u'}':
            out += u"&#125;"_s;
            break;
        case u'[':
            out += u"&#91;"_s;
            break;
        case u']':
            out += u"&#93;"_s;
            break;
        case u'&':
            out += reference
                           .match(text, i, QRegularExpression::NormalMatch,
                                  QRegularExpression::AnchorAtOffsetMatchOption)
                           .hasMatch()
                       ? u"&"_s
                       : u"&amp;"_s;
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString titleReading(const QString& title)
{
    static const QRegularExpression emoticon(u"\\[S(?:[1-9]|1[0-9]|2[0-4])\\]"_s);
    static const QRegularExpression letter(u"\\[([A-Za-z0-9!.,%?@$&])\\]"_s);
    static const QRegularExpression lineBreak(u"<br\\b[^>]*>"_s, QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tag(u"<[A-Za-z/!][^>]*>"_s);
    static const QRegularExpression space(u"&nbsp;"_s, QRegularExpression::CaseInsensitiveOption);
    QString text = title;
    text.remove(emoticon);
    text.replace(letter, u"\\1"_s);
    text.replace(lineBreak, u" "_s);
    text.remove(tag);
    text.replace(space, u" "_s);
    return text.simplified();
}

QString pictureAltText(const QString& title, int slot)
{
    const QString number = QString::number(slot + 1);
    const QString reading = titleReading(title);
    if (reading.isEmpty())
        return u"Picture "_s + number;
    return attributeText(reading) + u" \u2013 picture "_s + number;
}

} // namespace lw
