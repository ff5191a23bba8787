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

namespace {

// The description as its ad-file line holds it: a typed "<BR>" and a line break are one.
QString descriptionLine(const QString& text)
{
    return QString(text).replace(u"\r\n"_s, u"<BR>"_s);
}

} // namespace

void AdRecord::setText(Text field, const QString& value)
{
    QString& slot = m_values.*textMember(field);
    if (slot == value)
        return;
    // Turning a typed "<BR>" into a line break changes nothing the file keeps. Compared only while
    // the ad is unchanged, so typing into a long description does not pay for it.
    const bool same =
        field == Text::Description && !m_adChanged && descriptionLine(slot) == descriptionLine(value);
    slot = value;
    if (!same)
        noteEdit();
    Q_EMIT textChanged(field);
}

void AdRecord::setEffect(Effect e, bool on)
{
    bool& slot = m_values.effects[static_cast<int>(e)];
    if (slot == on)
        return;
    slot = on;
    noteEdit();
    Q_EMIT effectChanged(e);
}

void AdRecord::setColor(Color c, const ColorPair& pair)
{
    ColorPair& slot = m_values.*colorMember(c);
    if (slot == pair)
        return;
    slot = pair;
    noteEdit();
    Q_EMIT colorChanged(c);
}

void AdRecord::setIncludeOptional(bool on)
{
    if (m_values.includeOptional == on)
        return;
    m_values.includeOptional = on;
    noteEdit();
    Q_EMIT includeOptionalChanged(on);
}

void AdRecord::setLetterStyle(int style)
{
    if (m_values.letterStyle == style)
        return;
    m_values.letterStyle = style;
    noteEdit();
    Q_EMIT letterStyleChanged(style);
}

void AdRecord::noteEdit()
{
    setAdChanged(true);
    Q_EMIT edited();
}

void AdRecord::setAdChanged(bool changed)
{
    if (m_adChanged == changed)
        return;
    m_adChanged = changed;
    Q_EMIT adChangedChanged(changed);
}

} // namespace lw
