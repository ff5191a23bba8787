#include "adfile/ad_file.h"

#include "core/text_file.h"

using namespace Qt::StringLiterals;

namespace lw {

const LineTable<AdFileData>& adFileTable()
{
    static const LineTable<AdFileData> table = [] {
        using K = LineKind;
        using D = AdFileData;
        constexpr IfEmpty Keep = IfEmpty::Keep;
        auto ad = [](auto member) { return [member](D& d) -> LineValue { return &(d.ad.*member); }; };
        LineTable<D> t;
        t.add(1, ad(&AdValues::title), K::Text)
            .add(2, ad(&AdValues::subTitle), K::Text)
            .add(3, ad(&AdValues::description), K::Breaks)
            .add(4, ad(&AdValues::titleColor), K::Color)
            .add(5, ad(&AdValues::subTitleColor), K::Color)
            .add(6, ad(&AdValues::descriptionColor), K::Color)
            .add(7, ad(&AdValues::titleSize), K::Text)
            .add(8, ad(&AdValues::subTitleSize), K::Text)
            .add(9, ad(&AdValues::descriptionSize), K::Text)
            .add(10, ad(&AdValues::condition), K::Text)
            .add(11, ad(&AdValues::age), K::Text)
            .add(12, ad(&AdValues::comments), K::Text)
            .add(13, ad(&AdValues::shipCost), K::Text)
            .add(14, ad(&AdValues::includeOptional), K::LooseCheck);
        for (int i = 0; i < 10; ++i)
            t.add(
                15 + i, [i](D& d) -> LineValue { return &d.pictures[i]; }, K::Text);
        for (int i = 0; i < 5; ++i)
            t.add(
                25 + i, [i](D& d) -> LineValue { return &d.backgrounds[i].colorValue; }, K::NumberText);
        t.add(30, ad(&AdValues::optionalColor), K::Color);
        for (int i = 0; i < 5; ++i)
            t.add(
                31 + i, [i](D& d) -> LineValue { return &d.backgrounds[i].texture; }, K::Text);
        for (int i = 0; i < 5; ++i)
            t.add(
                36 + i, [i](D& d) -> LineValue { return &d.backgrounds[i].useTexture; }, K::LooseCheck);
        // -1: no template was selected when the ad was saved.
        t.addNumber(
            41, [](D& d) -> LineValue { return &d.templateIndex; }, K::Number, -1, 1000000);
        for (int i = 0; i < 8; ++i)
            t.add(
                42 + i, [i](D& d) -> LineValue { return &d.ad.effects[i]; }, K::Flag);
        t.add(50, ad(&AdValues::musicUrl), K::Text)
            .addNumber(51, ad(&AdValues::letterStyle), K::Number, 0, 8, {}, Keep)
            .add(
                52, [](D& d) -> LineValue { return &d.thumbWidth; }, K::Text, {}, Keep)
            .add(
                53, [](D& d) -> LineValue { return &d.thumbHeight; }, K::Text, {}, Keep)
            .add(54, ad(&AdValues::pounds), K::Text, {}, Keep)
            .add(55, ad(&AdValues::ounces), K::Text, {}, Keep);
        return t;
    }();
    return table;
}

QStringList AdFileData::toLines() const
{
    return writeLineTable(adFileTable(), *this);
}

AdFileRead parseAdFile(const QStringList& lines, const AdFileData& current)
{
    AdFileRead r;
    if (lines.size() < AdFileRequiredLines) {
        r.error =
            u"The file has "_s + QString::number(lines.size()) + u" lines; an ad file has at least 50."_s;
        return r;
    }
    AdFileData d = current;
    for (AdFileData::Background& b : d.backgrounds)
        b.useTexture.reset();
    const QList<int> bad = readLineTable(adFileTable(), lines, d);
    if (!bad.isEmpty()) {
        r.error =
            u"Line "_s + QString::number(bad.first()) + u" does not hold what an ad file keeps there."_s;
        return r;
    }
    r.data = std::move(d);
    return r;
}

AdFileRead readAdFile(const QString& path, const AdFileData& current)
{
    const TextReadResult file = readTextLines(path);
    if (!file.ok)
        return {std::nullopt, file.error};
    return parseAdFile(file.lines, current);
}

} // namespace lw
