#include "core/models/preferences.h"

using namespace Qt::StringLiterals;

namespace lw {

Preferences::Preferences(QObject* parent) : QObject(parent)
{
    for (int i = 0; i < static_cast<int>(Field::Count); ++i)
        m_values[i] = QString();
    for (Field f : {Field::IncludeEmail, Field::IncludeWebsite, Field::IncludeAuctions, Field::WindowState,
                    Field::IncludeMePage, Field::FtpAccess, Field::Passive, Field::ShowCalc, Field::UseUps,
                    Field::UpsResidential, Field::AlwaysUseColor})
        m_values[static_cast<int>(f)] = false;
    m_values[static_cast<int>(Field::UseUsps)] = true;
    m_values[static_cast<int>(Field::AuctionSite)] = 0;
    m_values[static_cast<int>(Field::Font)] = 0;
    m_values[static_cast<int>(Field::FtpPort)] = u"21"_s;
    m_values[static_cast<int>(Field::ShipComment)] = uspsComment();
    m_values[static_cast<int>(Field::UpsInsurance)] = u"100"_s;
}

QString Preferences::uspsComment()
{
    return u"Select either Priority Mail or Parcel Post for this item."_s;
}

QString Preferences::upsComment()
{
    return u"Select any UPS shipment method for this item."_s;
}

void Preferences::set(Field f, const QVariant& value)
{
    QVariant& slot = m_values[static_cast<int>(f)];
    if (slot == value)
        return;
    slot = value;
    Q_EMIT changed(f);
}

void Preferences::setFlag(Field f, bool value)
{
    if (flag(f) == value)
        return;
    set(f, value);
    // The rules the window's click handlers run; they run when the value changes.
    switch (f) {
    case Field::WindowState:
        setPictureTarget(value ? u"_Blank"_s : u"_Self"_s);
        break;
    case Field::UseUsps:
        if (value) {
            set(Field::UseUps, false);
            set(Field::ShipComment, uspsComment());
        }
        break;
    case Field::UseUps:
        if (value) {
            set(Field::UseUsps, false);
            set(Field::ShipComment, upsComment());
        }
        break;
    default:
        break;
    }
}

void Preferences::setTermsColor(const ColorPair& color)
{
    if (m_termsColor == color)
        return;
    m_termsColor = color;
    Q_EMIT termsColorChanged();
}

void Preferences::setTermsSize(int size)
{
    if (m_termsSize == size)
        return;
    m_termsSize = size;
    Q_EMIT termsSizeChanged(size);
}

void Preferences::setPictureTarget(const QString& target)
{
    if (m_pictureTarget == target)
        return;
    m_pictureTarget = target;
    Q_EMIT pictureTargetChanged();
}

void Preferences::copyFtpAccount()
{
    m_ftp = {text(Field::FtpServer), text(Field::FtpUserName), text(Field::FtpPassword),
             text(Field::FtpRemoteFolder), text(Field::FtpPort)};
}

} // namespace lw
