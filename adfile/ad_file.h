#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace lw {

// An ad file (*.zad): 55 lines, the first 50 required.
struct AdFileData
{
    QString title, subTitle;
    QString description; // as stored: line breaks written as "<BR>"
    qint64 titleColor = 0, subTitleColor = 0, descriptionColor = 0;
    QString titleSize, subTitleSize, descriptionSize;
    QString condition, age, comments, shipCost;
    std::optional<bool> includeOptional; // a value other than 0 or 1 leaves the switch alone
    std::array<QString, 10> pictures;
    std::array<QString, 5> tableColorValues; // decimal text, entry 0 the page
    qint64 optionalColor = 0;
    std::array<QString, 5> tableTextures;
    std::array<std::optional<bool>, 5> useTexture;
    int templateIndex = 0;
    std::array<bool, 8> effects{}; // title L/R/B, sub-title L/R/B, no right-click, music
    QString musicUrl;
    // Lines 51 to 55: absent or empty leaves the current value.
    std::optional<int> letterStyle;
    std::optional<QString> thumbWidth, thumbHeight;
    std::optional<QString> pounds, ounces;

    QStringList toLines() const;
};

inline constexpr int AdFileRequiredLines = 50;

struct AdFileRead
{
    std::optional<AdFileData> data;
    QString error; // why the file is not a usable ad file
};

// Validates the whole file before anything is taken from it.
AdFileRead parseAdFile(const QStringList& lines);
AdFileRead readAdFile(const QString& path);

} // namespace lw
