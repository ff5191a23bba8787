#include "core/models/ad_record.h"

using namespace Qt::StringLiterals;

namespace lw {

AdRecord::AdRecord(QObject* parent) : QObject(parent) {}

AdValues AdRecord::newAd()
{
    AdValues ad;
    ad.pounds = u"0"_s;
    ad.ounces = u"0"_s;
    ad.titleSize = u"5"_s;
    ad.subTitleSize = u"4"_s;
    ad.descriptionSize = u"3"_s;
    return ad;
}

QString AdValues::*AdRecord::textMember(Text field)
{
    static constexpr std::array<QString AdValues::*, static_cast<int>(Text::Count)> members = {
        &AdValues::title,   &AdValues::subTitle,  &AdValues::description,  &AdValues::condition,
        &AdValues::age,     &AdValues::comments,  &AdValues::shipCost,     &AdValues::pounds,
        &AdValues::ounces,  &AdValues::titleSize, &AdValues::subTitleSize, &AdValues::descriptionSize,
        &AdValues::musicUrl};
    return members[static_cast<int>(field)];
}

ColorPair AdValues::*AdRecord::colorMember(Color color)
{
    static constexpr std::array<ColorPair AdValues::*, static_cast<int>(Color::Count)> members = {
        &AdValues::titleColor, &AdValues::subTitleColor, &AdValues::descriptionColor,
        &AdValues::optionalColor};
    return members[static_cast<int>(color)];
}

void AdRecord::setValues(const AdValues& values)
{
    const AdValues old = m_values;
    m_values = values;
    for (int i = 0; i < static_cast<int>(Text::Count); ++i) {
        const auto field = static_cast<Text>(i);
        if (old.*textMember(field) != values.*textMember(field))
            Q_EMIT textChanged(field);
    }
    for (int i = 0; i < static_cast<int>(Effect::Count); ++i)
        if (old.effects[i] != values.effects[i])
            Q_EMIT effectChanged(static_cast<Effect>(i));
    for (int i = 0; i < static_cast<int>(Color::Count); ++i) {
        const auto color = static_cast<Color>(i);
        if (old.*colorMember(color) != values.*colorMember(color))
            Q_EMIT colorChanged(color);
    }
    if (old.includeOptional != values.includeOptional)
        Q_EMIT includeOptionalChanged(values.includeOptional);
    if (old.letterStyle != values.letterStyle)
        Q_EMIT letterStyleChanged(values.letterStyle);
}

void AdRecord::setText(Text field, const QString& value, bool byTyping)
{
    QString& slot = m_values.*textMember(field);
    if (slot == value)
        return;
    slot = value;
    switch (field) {
    case Text::Title:
    case Text::SubTitle:
    case Text::Condition:
    case Text::Age:
    case Text::Comments:
    case Text::Pounds:
    case Text::Ounces:
        setAdChanged(true);
        break;
    case Text::Description:
        if (!m_noSaving)
            setAdChanged(true);
        break;
    case Text::TitleSize:
    case Text::SubTitleSize:
    case Text::DescriptionSize:
        if (byTyping)
            setAdChanged(true);
        break;
    case Text::ShipCost:
    case Text::MusicUrl:
    case Text::Count:
        break;
    }
    Q_EMIT textChanged(field);
}

void AdRecord::setEffect(Effect e, bool on)
{
    bool& slot = m_values.effects[static_cast<int>(e)];
    if (slot == on)
        return;
    slot = on;
    Q_EMIT effectChanged(e);
}

void AdRecord::setColor(Color c, const ColorPair& pair)
{
    ColorPair& slot = m_values.*colorMember(c);
    if (slot == pair)
        return;
    slot = pair;
    Q_EMIT colorChanged(c);
}

void AdRecord::setIncludeOptional(bool on)
{
    if (m_values.includeOptional == on)
        return;
    m_values.includeOptional = on;
    Q_EMIT includeOptionalChanged(on);
}

void AdRecord::setLetterStyle(int style)
{
    if (m_values.letterStyle == style)
        return;
    m_values.letterStyle = style;
    Q_EMIT letterStyleChanged(style);
}

void AdRecord::setAdChanged(bool changed)
{
    if (m_adChanged == changed)
        return;
    m_adChanged = changed;
    Q_EMIT adChangedChanged(changed);
}

} // namespace lw
