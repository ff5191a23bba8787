#pragma once

#include "core/line_table.h"
#include "core/models/ad_record.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace lw {

// What an ad file (*.zad) keeps: the ad, its pictures, thumbnail size, template and backgrounds.
struct AdFileData
{
    struct Background
    {
        QString colorValue = QStringLiteral("0"); // decimal, as the customisation window holds it
        QString texture;
        // A value other than 0 or 1 in the file leaves the switch as it is.
        std::optional<bool> useTexture;
    };

    AdValues ad = AdRecord::newAd();
    std::array<QString, 10> pictures;
    QString thumbWidth, thumbHeight;
    std::array<Background, 5> backgrounds; // entry 0 the page
    int templateIndex = 0;

    QStringList toLines() const;
};

const LineTable<AdFileData>& adFileTable();
inline constexpr int AdFileRequiredLines = 50;

struct AdFileRead
{
    std::optional<AdFileData> data;
    QString error; // why the file is not a usable ad file
};

// Validates the whole file before anything is taken from it; what the file leaves out keeps
// the value of `current`.
AdFileRead parseAdFile(const QStringList& lines, const AdFileData& current = {});
AdFileRead readAdFile(const QString& path, const AdFileData& current = {});

} // namespace lw
