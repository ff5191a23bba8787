#include "settings/template_data.h"

#include "core/text_file.h"

using namespace Qt::StringLiterals;

namespace lw {

const LineTable<TemplateData>& templateDataTable()
{
    static const LineTable<TemplateData> table = [] {
        using K = LineKind;
        using D = TemplateData;
        auto at = [](auto member) { return [member](D& d) -> LineValue { return &(d.*member); }; };
        constexpr qint64 C = ColorValueLimit;
        LineTable<D> t;
        t.addNumber(1, at(&D::imageAmount), K::Number, 0, 10, u" 5 "_s)
            .add(2, at(&D::titleColor), K::Text, u"#000000"_s)
            .addNumber(3, at(&D::titleValue), K::Number, -C, C, u" 0 "_s)
            .add(4, at(&D::subTitleColor), K::Text, u"#000000"_s)
            .addNumber(5, at(&D::subTitleValue), K::Number, -C, C, u" 0 "_s)
            .add(6, at(&D::descriptionColor), K::Text, u"#000000"_s)
            .addNumber(7, at(&D::descriptionValue), K::Number, -C, C, u" 0 "_s)
            .add(8, at(&D::optionalColor), K::Text, u"#000000"_s)
            .addNumber(9, at(&D::optionalValue), K::Number, -C, C, u" 0 "_s)
            .add(10, at(&D::pageTexture), K::Text);
        const std::array<std::pair<QString, QString>, 4> tableColors = {
            std::pair{u"#8FBEF8"_s, u" 16301711 "_s}, std::pair{u"#004E9B"_s, u" 10178048 "_s},
            std::pair{u"#B9E1FF"_s, u" 16769465 "_s}, std::pair{u"#ECF9FF"_s, u" 16775660 "_s}};
        for (int i = 0; i < 4; ++i) {
            const int line = 11 + i * 4;
            t.add(
                 line, [i](D& d) -> LineValue { return &d.tables[i].useTexture; }, K::Check, u" 0 "_s)
                .add(
                    line + 1, [i](D& d) -> LineValue { return &d.tables[i].texture; }, K::Text)
                .add(
                    line + 2, [i](D& d) -> LineValue { return &d.tables[i].colorText; }, K::Text,
                    tableColors[i].first)
                .addNumber(
                    line + 3, [i](D& d) -> LineValue { return &d.tables[i].colorValue; }, K::Number, -C, C,
                    tableColors[i].second);
        }
        t.add(27, at(&D::enlargeColor), K::Text, u"#FFFFFF"_s)
            .addNumber(28, at(&D::tableCount), K::Number, 0, 4, u" 4 "_s)
            .add(29, at(&D::termsColor), K::Text, u"#000000"_s)
            .addNumber(30, at(&D::termsValue), K::Number, -C, C, u" 0 "_s)
            .addNumber(31, at(&D::titleSize), K::NumberText, 1, 7, u"6"_s)
            .addNumber(32, at(&D::subTitleSize), K::NumberText, 1, 7, u"4"_s)
            .addNumber(33, at(&D::descriptionSize), K::NumberText, 1, 7, u"3"_s)
            .addNumber(34, at(&D::termsSize), K::NumberText, 1, 7, u"3"_s);
        return t;
    }();
    return table;
}

TemplateData defaultTemplateData()
{
    return firstRunValues(templateDataTable());
}

TemplateDataRead parseTemplateData(const QStringList& lines)
{
    const LineTable<TemplateData>& table = templateDataTable();
    TemplateDataRead r;
    r.readable = true;
    r.data = defaultTemplateData();
    const QList<int> bad = readLineTable(table, lines, r.data);
    r.complete = lines.size() >= table.lineCount() && bad.isEmpty();
    return r;
}

TemplateDataRead readTemplateData(const QString& path)
{
    const TextReadResult file = readTextLines(path);
    if (!file.ok)
        return {false, false, defaultTemplateData()};
    return parseTemplateData(file.lines);
}

QStringList templateDataLines(const TemplateData& data)
{
    return writeLineTable(templateDataTable(), data);
}

bool writeTemplateData(const QString& path, const TemplateData& data, QString* error)
{
    return writeTextLines(path, templateDataLines(data), error);
}

} // namespace lw
