#pragma once

#include <QString>
#include <QStringList>

namespace lw {

inline constexpr int SettingsLineCount = 40;
inline constexpr auto SettingsPasswordMarker = "q83K2vbW7";

// The settings file's values, typed. Bad or missing lines hold first-run values.
struct SettingsRecord
{
    QString auctionId, email, website, terms; // terms with "<BR>" for its line breaks
    QString templateFolder;
    int templateIndex = 0;
    bool includeEmail = false, includeWebsite = false, includeAuctions = false;
    int auctionSite = 0;
    int font = 0;
    QString pictureTarget = QStringLiteral("_Self");
    bool includeMePage = false;
    QString ftpServer, ftpUserName, ftpPassword, ftpRemoteFolder; // password in clear
    QString ftpPort = QStringLiteral("21");
    bool ftpAccess = false;
    QString webUrl;
    bool passive = false;
    bool showCalc = false;
    QString zipCode;
    QString shipComment;
    bool useUsps = true, useUps = false;
    QString upsLength, upsWidth, upsHeight;
    QString upsInsurance = QStringLiteral("100");
    bool upsResidential = false;
    qint64 termsColorValue = 0;
    int termsSize = 2;
    bool websiteNoticeShown = false;
    bool alwaysUseColor = false;

    static SettingsRecord firstRun(const QString& installFolder);
    QStringList toLines() const;
};

QStringList firstRunSettingsLines(const QString& installFolder);

struct SettingsParse
{
    SettingsRecord record;
    // Lines that were present but held what their kind cannot hold.
    QStringList badLines;
};

SettingsParse parseSettings(const QStringList& lines, const QString& installFolder);

} // namespace lw
