#pragma once

#include "core/text_file.h"
#include "generator/generator_input.h"
#include "settings/template_data.h"

#include <QString>

namespace lw::test {

// The look a template's data file gives a new ad with the first-run preferences, as Default Colors
// applies it (the terms colour included: the first run does not keep the seller's own).
inline void applyTemplateLook(GeneratorInput& in, const TemplateData& d)
{
    in.ad.titleColor = {d.titleColor, d.titleValue};
    in.ad.subTitleColor = {d.subTitleColor, d.subTitleValue};
    in.ad.descriptionColor = {d.descriptionColor, d.descriptionValue};
    in.ad.optionalColor = {d.optionalColor, d.optionalValue};
    in.ad.titleSize = d.titleSize;
    in.ad.subTitleSize = d.subTitleSize;
    in.ad.descriptionSize = d.descriptionSize;
    in.prefs.termsColor = {d.termsColor, d.termsValue};
    in.prefs.termsSize = d.termsSize.trimmed().toInt();
    in.tables[0].texture = d.pageTexture;
    for (size_t i = 1; i <= 4; ++i) {
        const TemplateData::Table& t = d.tables[i - 1];
        in.tables[i].colorText = t.colorText;
        in.tables[i].useTexture = t.useTexture;
        in.tables[i].texture = t.texture;
    }
    in.enlargeColor = d.enlargeColor;
}

// Template n of the source data folder ("01.tpt" for 1) with its data file's look.
inline GeneratorInput templateInput(int n)
{
    const QString base =
        QStringLiteral(LW_DATA_DIR "/templates/") + QStringLiteral("%1").arg(n, 2, 10, QChar(u'0'));
    GeneratorInput in;
    if (const auto text = readTextFile(base + QStringLiteral(".tpt")))
        in.templateText = *text;
    applyTemplateLook(in, readTemplateData(base + QStringLiteral(".dat")).data);
    return in;
}

} // namespace lw::test
