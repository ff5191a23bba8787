#pragma once

#include "core/hosts.h"

#include <QString>

#include <array>

namespace lw {

// Everything the generator reads, taken from the ad, the preferences, the
// template values, the table backgrounds and the picture list at the moment
// Generate or Preview runs.
struct GeneratorInput
{
    QString templateText;
    int previewMode = 0;
    QString installFolder;
    Hosts hosts;

    // Editor texts as the seller has them (line breaks as CR LF).
    QString title, subTitle, description;
    QString titleSize, subTitleSize, descriptionSize;
    QString titleColor, subTitleColor, descriptionColor, optionalColor;
    std::array<bool, 3> titleScroll{};    // left to right, right to left, bounce
    std::array<bool, 3> subTitleScroll{}; // the same for the sub-title
    bool noRightClick = false;
    bool music = false;
    int letterStyle = 0;

    bool includeOptional = false;
    QString condition, age, comments, shipCost;
    QString pounds, ounces;

    QString terms;
    QString termsColor;
    QString termsSize;

    std::array<QString, 5> tableColors;
    std::array<QString, 5> tableTextures;
    std::array<bool, 5> useTexture{};

    bool includeEmail = false, includeWebsite = false, includeAuctions = false, includeMePage = false;
    int auctionSite = 0;
    QString email, website, auctionId;

    std::array<QString, 4> marqueeTags;
    std::array<QString, 2> pageExtras;
    int hideFooter = 0;

    bool showCalc = false, useUsps = true, useUps = false, upsResidential = false;
    QString zipCode, shipComment, upsLength, upsWidth, upsHeight, upsInsurance;

    QString font;

    bool ftpAccess = false;
    QString webUrl;
    std::array<QString, 10> pictures;
    QString pictureTarget, thumbWidth, thumbHeight, enlargeColor;
};

struct GeneratorResult
{
    bool ok = false;
    QString page;
    QString error;
};

} // namespace lw
