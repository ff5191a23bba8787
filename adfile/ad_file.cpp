#include "adfile/ad_file.h"

#include "core/text_file.h"

using namespace Qt::StringLiterals;

namespace lw {

QStringList AdFileData::toLines() const
{
    QStringList l;
    l << title << subTitle << description << numberText(titleColor) << numberText(subTitleColor)
      << numberText(descriptionColor) << titleSize << subTitleSize << descriptionSize << condition << age
      << comments << shipCost << numberText(includeOptional.value_or(false) ? 1 : 0);
    for (const QString& p : pictures)
        l << p;
    for (const QString& v : tableColorValues)
        l << v;
    l << numberText(optionalColor);
    for (const QString& t : tableTextures)
        l << t;
    for (const auto& u : useTexture)
        l << numberText(u.value_or(false) ? 1 : 0);
    l << numberText(templateIndex);
    for (bool e : effects)
        l << flagText(e);
    l << musicUrl;
    l << (letterStyle ? numberText(*letterStyle) : QString()) << thumbWidth.value_or(QString())
      << thumbHeight.value_or(QString()) << pounds.value_or(QString()) << ounces.value_or(QString());
    return l;
}

AdFileRead parseAdFile(const QStringList& lines)
{
    AdFileRead r;
    if (lines.size() < AdFileRequiredLines) {
        r.error =
            u"The file has "_s + QString::number(lines.size()) + u" lines; an ad file has at least 50."_s;
        return r;
    }
    AdFileData d;
    auto at = [&](int line) { return lines.at(line - 1); };
    QStringList bad;
    constexpr qint64 ColorMax = 0xFFFFFFFFLL;
    auto number = [&](int line, qint64 lo, qint64 hi) -> qint64 {
        const auto n = parseNumber(at(line));
        if (n && *n >= lo && *n <= hi)
            return *n;
        bad << QString::number(line);
        return 0;
    };
    auto flag = [&](int line) {
        const auto f = parseFlag(at(line));
        if (!f)
            bad << QString::number(line);
        return f.value_or(false);
    };

    d.title = at(1);
    d.subTitle = at(2);
    d.description = at(3);
    d.titleColor = number(4, -ColorMax, ColorMax);
    d.subTitleColor = number(5, -ColorMax, ColorMax);
    d.descriptionColor = number(6, -ColorMax, ColorMax);
    d.titleSize = at(7);
    d.subTitleSize = at(8);
    d.descriptionSize = at(9);
    d.condition = at(10);
    d.age = at(11);
    d.comments = at(12);
    d.shipCost = at(13);
    if (const auto n = parseNumber(at(14)); n && (*n == 0 || *n == 1))
        d.includeOptional = *n == 1;
    else if (!n)
        bad << u"14"_s;
    for (int i = 0; i < 10; ++i)
        d.pictures[i] = at(15 + i);
    for (int i = 0; i < 5; ++i) {
        const QString v = at(25 + i).trimmed();
        if (!parseNumber(v))
            bad << QString::number(25 + i);
        d.tableColorValues[i] = QString::number(parseNumber(v).value_or(0));
    }
    d.optionalColor = number(30, -ColorMax, ColorMax);
    for (int i = 0; i < 5; ++i)
        d.tableTextures[i] = at(31 + i);
    for (int i = 0; i < 5; ++i) {
        if (const auto n = parseNumber(at(36 + i)); n && (*n == 0 || *n == 1))
            d.useTexture[i] = *n == 1;
        else if (!n)
            bad << QString::number(36 + i);
    }
    // -1: no template was selected when the ad was saved.
    d.templateIndex = static_cast<int>(number(41, -1, 1000000));
    for (int i = 0; i < 8; ++i)
        d.effects[i] = flag(42 + i);
    d.musicUrl = at(50);

    auto optional = [&](int line) -> std::optional<QString> {
        if (line > lines.size() || at(line).isEmpty())
            return std::nullopt;
        return at(line);
    };
    if (const auto s = optional(51)) {
        const auto n = parseNumber(*s);
        if (n && *n >= 0 && *n <= 8)
            d.letterStyle = static_cast<int>(*n);
        else
            bad << u"51"_s;
    }
    d.thumbWidth = optional(52);
    d.thumbHeight = optional(53);
    d.pounds = optional(54);
    d.ounces = optional(55);

    if (!bad.isEmpty()) {
        r.error = u"Line "_s + bad.first() + u" does not hold what an ad file keeps there."_s;
        return r;
    }
    r.data = std::move(d);
    return r;
}

AdFileRead readAdFile(const QString& path)
{
    const TextReadResult file = readTextLines(path);
    if (!file.ok)
        return {std::nullopt, file.error};
    return parseAdFile(file.lines);
}

} // namespace lw
