#pragma once

#include "core/color.h"

#include <QObject>
#include <QString>

namespace lw {

// The seller's standing preferences.
struct PreferenceValues
{
    QString auctionId, email, website;
    QString terms; // line breaks as CR LF
    bool includeEmail = false, includeWebsite = false, includeAuctions = false, includeMePage = false;
    int auctionSite = 0;
    int font = 0;
    bool windowState = false; // open pictures in a new window
    // "_Self" or "_Blank"; settings that hold neither leave the window's target as it is.
    QString pictureTarget = QStringLiteral("_Self");
    QString ftpServer, ftpUserName, ftpPassword, ftpRemoteFolder, ftpPort, webUrl;
    bool ftpAccess = false, passive = false;
    bool showCalc = false, useUsps = false, useUps = false, upsResidential = false;
    QString zipCode, shipComment, upsLength, upsWidth, upsHeight, upsInsurance;
    bool alwaysUseColor = false;
    ColorPair termsColor;
    int termsSize = 0;
    bool websiteNoticeShown = false;
    // Kept beside settings.txt in a file of their own (listwright.ini).
    bool preparePictures = true;
    int longestSide = 1600;
};

// The seller's standing preferences: what the preferences window shows and the
// generator, picture window and uploader read. Setting a switch runs the rule
// the window's own click would run, so code and seller change it alike.
class Preferences : public QObject
{
    Q_OBJECT
public:
    enum class Field
    {
        AuctionId,
        Email,
        Website,
        Terms,
        IncludeEmail,
        IncludeWebsite,
        IncludeAuctions,
        AuctionSite,
        Font,
        WindowState,
        IncludeMePage,
        FtpServer,
        FtpUserName,
        FtpPassword,
        FtpRemoteFolder,
        FtpPort,
        FtpAccess,
        WebUrl,
        Passive,
        ShowCalc,
        ZipCode,
        ShipComment,
        UseUsps,
        UseUps,
        UpsLength,
        UpsWidth,
        UpsHeight,
        UpsInsurance,
        UpsResidential,
        AlwaysUseColor,
        PreparePictures,
        LongestSide,
        Count
    };
    Q_ENUM(Field)

    // The FTP account the uploader uses: copies refreshed when the preferences are confirmed.
    struct FtpAccount
    {
        QString server, userName, password, remoteFolder, port;
    };

    explicit Preferences(QObject* parent = nullptr);

    const PreferenceValues& values() const { return m_values; }
    // Takes every value as a whole (the settings being loaded): no switch rule runs.
    void setValues(const PreferenceValues& values);

    // A field of one kind: text boxes, check boxes and lists.
    QString text(Field f) const;
    bool flag(Field f) const;
    int index(Field f) const;
    void setText(Field f, const QString& value);
    void setFlag(Field f, bool value);
    void setIndex(Field f, int value);
    // Whether the field is a switch (check box or option).
    static bool isFlag(Field f);

    const ColorPair& termsColor() const { return m_values.termsColor; }
    void setTermsColor(const ColorPair& color);
    int termsSize() const { return m_values.termsSize; }
    void setTermsSize(int size);
    const QString& pictureTarget() const { return m_values.pictureTarget; }
    void setPictureTarget(const QString& target);
    bool websiteNoticeShown() const { return m_values.websiteNoticeShown; }
    void setWebsiteNoticeShown(bool shown) { m_values.websiteNoticeShown = shown; }
    const FtpAccount& ftpAccount() const { return m_ftp; }
    void copyFtpAccount();

    static QString uspsComment();
    static QString upsComment();

Q_SIGNALS:
    void changed(lw::Preferences::Field field);
    void termsColorChanged();
    void termsSizeChanged(int size);
    void pictureTargetChanged();

private:
    PreferenceValues m_values;
    FtpAccount m_ftp;
};

} // namespace lw
