#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace lw {

// A template data file: the template's default look, 34 lines.
struct TemplateData
{
    struct Table
    {
        bool useTexture = false;
        QString texture;
        QString colorText;
        qint64 colorValue = 0;
    };

    int imageAmount = 5;
    QString titleColor = QStringLiteral("#000000");
    qint64 titleValue = 0;
    QString subTitleColor = QStringLiteral("#000000");
    qint64 subTitleValue = 0;
    QString descriptionColor = QStringLiteral("#000000");
    qint64 descriptionValue = 0;
    QString optionalColor = QStringLiteral("#000000");
    qint64 optionalValue = 0;
    QString pageTexture;
    std::array<Table, 4> tables = {Table{false, {}, QStringLiteral("#8FBEF8"), 16301711},
                                   Table{false, {}, QStringLiteral("#004E9B"), 10178048},
                                   Table{false, {}, QStringLiteral("#B9E1FF"), 16769465},
                                   Table{false, {}, QStringLiteral("#ECF9FF"), 16775660}};
    QString enlargeColor = QStringLiteral("#FFFFFF");
    int tableCount = 4;
    QString termsColor = QStringLiteral("#000000");
    qint64 termsValue = 0;
    QString titleSize = QStringLiteral("6");
    QString subTitleSize = QStringLiteral("4");
    QString descriptionSize = QStringLiteral("3");
    QString termsSize = QStringLiteral("3");

    QStringList toLines() const;
};

struct TemplateDataRead
{
    bool readable = false; // the file could be read at all
    bool complete = false; // 34 lines, every number line a number in range
    TemplateData data;     // bad or missing lines hold the defaults
};

TemplateDataRead parseTemplateData(const QStringList& lines);
TemplateDataRead readTemplateData(const QString& path);
bool writeTemplateData(const QString& path, const TemplateData& data, QString* error = nullptr);

} // namespace lw
