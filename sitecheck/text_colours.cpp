#include "sitecheck/text_colours.h"

#include "core/color.h"
#include "sitecheck/html_document.h"

#include <QRegularExpression>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

struct Colour
{
    QString name;
    quint32 rgb = 0;
    bool seller = false;
};

// What one element says about a colour: nothing (its parent's holds), a colour, or one that cannot
// be judged (a picture, a colour name).
struct Said
{
    bool said = false;
    std::optional<Colour> colour;
};

QString hexName(quint32 rgb)
{
    return u'#' + QString::number(rgb, 16).toUpper().rightJustified(6, u'0');
}

// An inline style's value of a property, the last declaration winning.
std::optional<QString> styleValue(const HtmlNode& e, QStringView property)
{
    std::optional<QString> found;
    const QString style = e.attribute(u"style");
    for (const QString& declaration : style.split(u';')) {
        const qsizetype colon = declaration.indexOf(u':');
        if (colon > 0 &&
            QStringView(declaration).left(colon).trimmed().compare(property, Qt::CaseInsensitive) == 0)
            found = declaration.mid(colon + 1).remove(u"!important"_s, Qt::CaseInsensitive).trimmed();
    }
    return found;
}

// A colour of the template: its own, or one the generator puts in for a placeholder.
// background: whether the colour is one a text sits on, which names it differently.
Said colourOf(const QString& value, const GeneratorInput& in, bool background = false)
{
    const QString v = value.trimmed();
    // The generator removes this one; an empty colour is ignored by browsers.
    if (v.isEmpty() || v == u"{TERMS1COLOR}" || v.compare(u"inherit", Qt::CaseInsensitive) == 0)
        return {};
    const std::pair<QString, const ColorPair*> placeholders[] = {
        {u"{TITLECOLOR}"_s, &in.ad.titleColor},
        {u"{SUBTITLECOLOR}"_s, &in.ad.subTitleColor},
        {u"{DESCRIPTIONCOLOR}"_s, &in.ad.descriptionColor},
        {u"{TERMSCOLOR}"_s, &in.prefs.termsColor},
        {u"{OPTCOLOR}"_s, &in.ad.optionalColor}};
    const QString names[] = {u"title colour"_s, u"sub-title colour"_s, u"description colour"_s,
                             u"terms colour"_s, u"optional information colour"_s};
    for (int i = 0; i < 5; ++i) {
        if (v != placeholders[i].first)
            continue;
        const std::optional<quint32> rgb = parseHtmlColor(placeholders[i].second->text);
        return {true, rgb ? std::optional<Colour>(Colour{names[i], *rgb, true}) : std::nullopt};
    }
    const std::optional<quint32> rgb = parseHtmlColor(v);
    if (!rgb)
        return {true, std::nullopt};
    const QString name =
        (background ? u"the template's background "_s : u"the template's text "_s) + hexName(*rgb);
    return {true, Colour{name, *rgb, false}};
}

Said textColourOf(const HtmlNode& e, const GeneratorInput& in)
{
    if (const auto v = styleValue(e, u"color"))
        if (Said s = colourOf(*v, in); s.said)
            return s;
    if (e.tag == u"font")
        return colourOf(e.attribute(u"color"), in);
    return {};
}

Said backgroundOf(const HtmlNode& e, const GeneratorInput& in)
{
    const Said unknown{true, std::nullopt};
    auto isPicture = [](const QString& v) {
        return v.contains(u"url("_s, Qt::CaseInsensitive) || v.contains(u"gradient("_s, Qt::CaseInsensitive);
    };
    if (const auto image = styleValue(e, u"background-image"); image && isPicture(*image))
        return unknown;
    if (const auto v = styleValue(e, u"background")) {
        if (isPicture(*v))
            return unknown;
        for (const QString& part : v->split(u' ', Qt::SkipEmptyParts))
            if (Said s = colourOf(part, in, true); s.colour)
                return s;
    }
    if (const auto v = styleValue(e, u"background-color"))
        if (v->compare(u"transparent", Qt::CaseInsensitive) != 0)
            if (Said s = colourOf(*v, in, true); s.said)
                return s;
    for (int n = 1; n <= 4; ++n) {
        if (e.attribute(QString(u"{t"_s + QString::number(n) + u'}')).isNull())
            continue;
        const auto& table = in.tables[size_t(n)];
        const std::optional<quint32> rgb = parseHtmlColor(table.colorText);
        if (table.useTexture || !rgb)
            return unknown;
        return {true, Colour{u"table "_s + QString::number(n), *rgb, true}};
    }
    if (!e.attribute(u"background").trimmed().isEmpty())
        return unknown;
    if (const QString v = e.attribute(u"bgcolor"); !v.isNull())
        return colourOf(v, in, true);
    return {};
}

// The font size in CSS pixels an element sets, or 0 when it sets none.
double fontSizeOf(const HtmlNode& e, const GeneratorInput& in)
{
    if (const auto v = styleValue(e, u"font-size")) {
        static const QRegularExpression length(u"^([0-9.]+)(px|pt)$"_s);
        const QRegularExpressionMatch m = length.match(*v);
        if (m.hasMatch())
            return m.captured(1).toDouble() * (m.captured(2) == u"pt" ? 4.0 / 3.0 : 1.0);
    }
    if (e.tag != u"font" || e.attribute(u"size").isNull())
        return 0;
    QString size = e.attribute(u"size").trimmed();
    if (size == u"{TITLESIZE}")
        size = in.ad.titleSize;
    else if (size == u"{SUBTITLESIZE}")
        size = in.ad.subTitleSize;
    else if (size == u"{DESCRIPTIONSIZE}")
        size = in.ad.descriptionSize;
    else if (size == u"{TERMSSIZE}")
        size = QString::number(in.prefs.termsSize);
    bool ok = false;
    int n = size.trimmed().toInt(&ok);
    if (!ok)
        return 0;
    if (size.startsWith(u'+') || size.startsWith(u'-'))
        n += 3;
    // The sizes browsers give <font size="1"> to "7".
    static const double pixels[] = {10, 13, 16, 18, 24, 32, 48};
    return pixels[std::clamp(n, 1, 7) - 1];
}

bool boldAt(const HtmlNode& e)
{
    static const QStringList boldTags = {u"b"_s,  u"strong"_s, u"th"_s, u"h1"_s, u"h2"_s,
                                         u"h3"_s, u"h4"_s,     u"h5"_s, u"h6"_s};
    if (boldTags.contains(e.tag))
        return true;
    const QString weight = styleValue(e, u"font-weight").value_or(QString());
    return weight == u"bold" || weight == u"bolder" || weight.toInt() >= 600;
}

} // namespace

double TextColours::contrast() const
{
    return contrastRatio(foreground, backdrop);
}

QList<TextColours> templateTextColours(const GeneratorInput& in)
{
    const HtmlDocument doc(in.templateText);
    const QList<HtmlNode>& nodes = doc.nodes();
    // Placeholders that become no text of their own colour: links, forms, scripts, the brackets.
    static const QRegularExpression silent(
        u"\\{(?:IMAGE\\d|EMAIL|WEBSITE|OTHERAUCTIONS|MEPAGE|REZO|SHIPCALC|NORIGHTCLICK|BGMUSIC)\\}|\\{BODYBGCOLOR\\}>?|[\\[\\]]"_s);
    static const QRegularExpression picture(u"\\{IMAGE\\d\\}"_s);
    const bool pagePicture =
        in.templateText.contains(u"{BODYBGCOLOR}"_s) && !in.tables[0].texture.trimmed().isEmpty();

    QList<TextColours> found;
    for (const HtmlNode& n : nodes) {
        if (n.kind != HtmlNode::Kind::Text || n.hidden || n.parent < 0)
            continue;
        const bool words = !QString(n.text).remove(silent).trimmed().isEmpty();
        // The generator's caption under each picture, in size 1.
        const bool caption = n.text.contains(picture);
        if (!words && !caption)
            continue;
        Said text, back;
        double size = 0;
        bool bold = false;
        for (int up = n.parent; up >= 0; up = nodes.at(up).parent) {
            const HtmlNode& e = nodes.at(up);
            if (!text.said)
                text = textColourOf(e, in);
            if (!back.said)
                back = backgroundOf(e, in);
            if (size == 0)
                size = fontSizeOf(e, in);
            bold = bold || boldAt(e);
        }
        if (!back.said && !pagePicture)
            back = {true, Colour{u"the page"_s, 0xFFFFFF, false}};
        if (!back.colour)
            continue;
        if (!text.said)
            text = {true, Colour{u"the template's text "_s + hexName(0), 0, false}};
        auto add = [&](const Colour& fg, double pixels) {
            TextColours t{fg.name,
                          back.colour->name,
                          fg.rgb,
                          back.colour->rgb,
                          pixels >= 24 || (bold && pixels >= 18.66),
                          fg.seller || back.colour->seller};
            const bool known = std::any_of(found.begin(), found.end(), [&t](const TextColours& o) {
                return o.color == t.color && o.background == t.background && o.foreground == t.foreground &&
                       o.backdrop == t.backdrop && o.large == t.large;
            });
            if (!known)
                found.append(t);
        };
        if (words && text.colour)
            add(*text.colour, size == 0 ? 16 : size);
        if (caption)
            if (const std::optional<quint32> rgb = parseHtmlColor(in.enlargeColor))
                add({u"caption colour under pictures"_s, *rgb, false}, 10);
    }
    return found;
}

} // namespace lw
