#include "core/models/preferences.h"

#include <array>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

using F = Preferences::Field;
using PV = PreferenceValues;

// Where each field lives; exactly one member is set.
struct FieldMember
{
    QString PV::*text = nullptr;
    bool PV::*flag = nullptr;
    int PV::*index = nullptr;
};

const FieldMember& member(F f)
{
    static const std::array<FieldMember, static_cast<int>(F::Count)> members = [] {
        std::array<FieldMember, static_cast<int>(F::Count)> m{};
        auto text = [&m](F f, QString PV::*p) { m[static_cast<int>(f)].text = p; };
        auto flag = [&m](F f, bool PV::*p) { m[static_cast<int>(f)].flag = p; };
        text(F::AuctionId, &PV::auctionId);
        text(F::Email, &PV::email);
        text(F::Website, &PV::website);
        text(F::Terms, &PV::terms);
        flag(F::IncludeEmail, &PV::includeEmail);
        flag(F::IncludeWebsite, &PV::includeWebsite);
        flag(F::IncludeAuctions, &PV::includeAuctions);
        m[static_cast<int>(F::AuctionSite)].index = &PV::auctionSite;
        m[static_cast<int>(F::Font)].index = &PV::font;
        flag(F::WindowState, &PV::windowState);
        flag(F::IncludeMePage, &PV::includeMePage);
        text(F::FtpServer, &PV::ftpServer);
        text(F::FtpUserName, &PV::ftpUserName);
        text(F::FtpPassword, &PV::ftpPassword);
        text(F::FtpRemoteFolder, &PV::ftpRemoteFolder);
        text(F::FtpPort, &PV::ftpPort);
        flag(F::FtpAccess, &PV::ftpAccess);
        text(F::WebUrl, &PV::webUrl);
        flag(F::Passive, &PV::passive);
        flag(F::ShowCalc, &PV::showCalc);
        text(F::ZipCode, &PV::zipCode);
        text(F::ShipComment, &PV::shipComment);
        flag(F::UseUsps, &PV::useUsps);
        flag(F::UseUps, &PV::useUps);
        text(F::UpsLength, &PV::upsLength);
        text(F::UpsWidth, &PV::upsWidth);
        text(F::UpsHeight, &PV::upsHeight);
        text(F::UpsInsurance, &PV::upsInsurance);
        flag(F::UpsResidential, &PV::upsResidential);
        flag(F::AlwaysUseColor, &PV::alwaysUseColor);
        flag(F::PreparePictures, &PV::preparePictures);
        m[static_cast<int>(F::LongestSide)].index = &PV::longestSide;
        return m;
    }();
    return members[static_cast<int>(f)];
}

bool sameField(const PV& a, const PV& b, F f)
{
    const FieldMember& m = member(f);
    if (m.text)
        return a.*m.text == b.*m.text;
    if (m.flag)
        return a.*m.flag == b.*m.flag;
    return a.*m.index == b.*m.index;
}

} // namespace

Preferences::Preferences(QObject* parent) : QObject(parent) {}

QString Preferences::uspsComment()
{
    return u"Select either Priority Mail or Parcel Post for this item."_s;
}

QString Preferences::upsComment()
{
    return u"Select any UPS shipment method for this item."_s;
}

bool Preferences::isFlag(Field f)
{
    return member(f).flag != nullptr;
}

QString Preferences::text(Field f) const
{
    const FieldMember& m = member(f);
    return m.text ? m_values.*m.text : QString();
}

bool Preferences::flag(Field f) const
{
    const FieldMember& m = member(f);
    return m.flag && m_values.*m.flag;
}

int Preferences::index(Field f) const
{
    const FieldMember& m = member(f);
    return m.index ? m_values.*m.index : 0;
}

void Preferences::setText(Field f, const QString& value)
{
    const FieldMember& m = member(f);
    if (!m.text || m_values.*m.text == value)
        return;
    m_values.*m.text = value;
    Q_EMIT changed(f);
}

void Preferences::setIndex(Field f, int value)
{
    const FieldMember& m = member(f);
    if (!m.index || m_values.*m.index == value)
        return;
    m_values.*m.index = value;
    Q_EMIT changed(f);
}

void Preferences::setValues(const PreferenceValues& values)
{
    const PreferenceValues old = m_values;
    m_values = values;
    for (int i = 0; i < static_cast<int>(Field::Count); ++i)
        if (!sameField(old, values, static_cast<Field>(i)))
            Q_EMIT changed(static_cast<Field>(i));
    if (old.termsColor != values.termsColor)
        Q_EMIT termsColorChanged();
    if (old.termsSize != values.termsSize)
        Q_EMIT termsSizeChanged(values.termsSize);
    if (old.pictureTarget != values.pictureTarget)
        Q_EMIT pictureTargetChanged();
}

void Preferences::setFlag(Field f, bool value)
{
    const FieldMember& m = member(f);
    if (!m.flag || m_values.*m.flag == value)
        return;
    m_values.*m.flag = value;
    Q_EMIT changed(f);
    // The rules the window's click handlers run; they run when the value changes.
    switch (f) {
    case Field::WindowState:
        setPictureTarget(value ? u"_Blank"_s : u"_Self"_s);
        break;
    case Field::UseUsps:
        if (value) {
            setFlag(Field::UseUps, false);
            setText(Field::ShipComment, uspsComment());
        }
        break;
    case Field::UseUps:
        if (value) {
            setFlag(Field::UseUsps, false);
            setText(Field::ShipComment, upsComment());
        }
        break;
    default:
        break;
    }
}

void Preferences::setTermsColor(const ColorPair& color)
{
    if (m_values.termsColor == color)
        return;
    m_values.termsColor = color;
    Q_EMIT termsColorChanged();
}

void Preferences::setTermsSize(int size)
{
    if (m_values.termsSize == size)
        return;
    m_values.termsSize = size;
    Q_EMIT termsSizeChanged(size);
}

void Preferences::setPictureTarget(const QString& target)
{
    if (m_values.pictureTarget == target)
        return;
    m_values.pictureTarget = target;
    Q_EMIT pictureTargetChanged();
}

void Preferences::copyFtpAccount()
{
    m_ftp = {m_values.ftpServer, m_values.ftpUserName, m_values.ftpPassword, m_values.ftpRemoteFolder,
             m_values.ftpPort};
}

} // namespace lw
