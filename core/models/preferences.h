#pragma once

#include "core/color.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <array>

namespace lw {

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
        Count
    };
    Q_ENUM(Field)

    // The FTP account the uploader uses: copies refreshed when the preferences are confirmed.
    struct FtpAccount
    {
        QString server, userName, password, remoteFolder, port;
    };

    explicit Preferences(QObject* parent = nullptr);

    QString text(Field f) const { return m_values[static_cast<int>(f)].toString(); }
    bool flag(Field f) const { return m_values[static_cast<int>(f)].toBool(); }
    int index(Field f) const { return m_values[static_cast<int>(f)].toInt(); }
    void setText(Field f, const QString& value) { set(f, value); }
    void setFlag(Field f, bool value);
    void setIndex(Field f, int value) { set(f, value); }

    const ColorPair& termsColor() const { return m_termsColor; }
    void setTermsColor(const ColorPair& color);
    int termsSize() const { return m_termsSize; }
    void setTermsSize(int size);
    const QString& pictureTarget() const { return m_pictureTarget; }
    void setPictureTarget(const QString& target);
    bool websiteNoticeShown() const { return m_websiteNoticeShown; }
    void setWebsiteNoticeShown(bool shown) { m_websiteNoticeShown = shown; }
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
    void set(Field f, const QVariant& value);

    std::array<QVariant, static_cast<int>(Field::Count)> m_values;
    ColorPair m_termsColor;
    int m_termsSize = 2;
    QString m_pictureTarget = QStringLiteral("_Self");
    bool m_websiteNoticeShown = false;
    FtpAccount m_ftp;
};

} // namespace lw
