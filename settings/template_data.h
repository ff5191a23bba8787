#pragma once

#include "core/line_table.h"

#include <QString>
#include <QStringList>

#include <array>

namespace lw {

// A template data file: the template's default look.
struct TemplateData
{
    struct Table
    {
        bool useTexture = false;
        QString texture;
        QString colorText;
        qint64 colorValue = 0;
    };

    int imageAmount = 0;
    QString titleColor;
    qint64 titleValue = 0;
    QString subTitleColor;
    qint64 subTitleValue = 0;
    QString descriptionColor;
    qint64 descriptionValue = 0;
    QString optionalColor;
    qint64 optionalValue = 0;
    QString pageTexture;
    std::array<Table, 4> tables;
    QString enlargeColor;
    int tableCount = 0;
    QString termsColor;
    qint64 termsValue = 0;
    QString titleSize, subTitleSize, descriptionSize, termsSize;
};

const LineTable<TemplateData>& templateDataTable();
// The look of a template without a data file of its own: what a new data file holds.
TemplateData defaultTemplateData();

struct TemplateDataRead
{
    bool readable = false; // the file could be read at all
    bool complete = false; // every line there, every number line a number in range
    TemplateData data;     // bad or missing lines hold the defaults
};

TemplateDataRead parseTemplateData(const QStringList& lines);
TemplateDataRead readTemplateData(const QString& path);
QStringList templateDataLines(const TemplateData& data);
bool writeTemplateData(const QString& path, const TemplateData& data, QString* error = nullptr);

} // namespace lw
