#include "settings/template_data.h"

#include "core/text_file.h"

using namespace Qt::StringLiterals;

namespace lw {

namespace {

bool isSize(const QString& text)
{
    const auto n = parseNumber(text);
    return n && *n >= 1 && *n <= 7;
}

} // namespace

QStringList TemplateData::toLines() const
{
    QStringList l;
    l << numberText(imageAmount) << titleColor << numberText(titleValue) << subTitleColor
      << numberText(subTitleValue) << descriptionColor << numberText(descriptionValue) << optionalColor
      << numberText(optionalValue) << pageTexture;
    for (const Table& t : tables)
        l << numberText(t.useTexture ? 1 : 0) << t.texture << t.colorText << numberText(t.colorValue);
    l << enlargeColor << numberText(tableCount) << termsColor << numberText(termsValue) << titleSize
      << subTitleSize << descriptionSize << termsSize;
    return l;
}

TemplateDataRead parseTemplateData(const QStringList& lines)
{
    TemplateDataRead r;
    r.readable = true;
    r.complete = lines.size() >= 34;
    TemplateData& d = r.data;
    auto has = [&](int line) { return line <= lines.size(); };
    auto text = [&](int line, QString& into) {
        if (has(line))
            into = lines.at(line - 1);
    };
    auto number = [&](int line, auto& into, qint64 lo, qint64 hi) {
        if (!has(line))
            return;
        const auto n = parseNumber(lines.at(line - 1));
        if (n && *n >= lo && *n <= hi)
            into = static_cast<std::remove_reference_t<decltype(into)>>(*n);
        else
            r.complete = false;
    };
    auto size = [&](int line, QString& into) {
        if (!has(line))
            return;
        // As a whole number: "5.0" is size 5, not text that later reads as 0.
        if (isSize(lines.at(line - 1)))
            into = QString::number(*parseNumber(lines.at(line - 1)));
        else
            r.complete = false;
    };
    constexpr qint64 ColorMax = 0xFFFFFFFFLL;
    number(1, d.imageAmount, 0, 10);
    text(2, d.titleColor);
    number(3, d.titleValue, -ColorMax, ColorMax);
    text(4, d.subTitleColor);
    number(5, d.subTitleValue, -ColorMax, ColorMax);
    text(6, d.descriptionColor);
    number(7, d.descriptionValue, -ColorMax, ColorMax);
    text(8, d.optionalColor);
    number(9, d.optionalValue, -ColorMax, ColorMax);
    text(10, d.pageTexture);
    for (int i = 0; i < 4; ++i) {
        const int base = 11 + i * 4;
        int use = d.tables[i].useTexture ? 1 : 0;
        number(base, use, 0, 1);
        d.tables[i].useTexture = use == 1;
        text(base + 1, d.tables[i].texture);
        text(base + 2, d.tables[i].colorText);
        number(base + 3, d.tables[i].colorValue, -ColorMax, ColorMax);
    }
    text(27, d.enlargeColor);
    number(28, d.tableCount, 0, 4);
    text(29, d.termsColor);
    number(30, d.termsValue, -ColorMax, ColorMax);
    size(31, d.titleSize);
    size(32, d.subTitleSize);
    size(33, d.descriptionSize);
    size(34, d.termsSize);
    return r;
}

TemplateDataRead readTemplateData(const QString& path)
{
    const TextReadResult file = readTextLines(path);
    if (!file.ok)
        return {};
    return parseTemplateData(file.lines);
}

bool writeTemplateData(const QString& path, const TemplateData& data, QString* error)
{
    return writeTextLines(path, data.toLines(), error);
}

} // namespace lw
