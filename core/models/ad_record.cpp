#include "core/models/ad_record.h"

using namespace Qt::StringLiterals;

namespace lw {

AdRecord::AdRecord(QObject* parent) : QObject(parent)
{
    setText(Text::Pounds, u"0"_s);
    setText(Text::Ounces, u"0"_s);
    setText(Text::TitleSize, u"5"_s);
    setText(Text::SubTitleSize, u"4"_s);
    setText(Text::DescriptionSize, u"3"_s);
    m_adChanged = false;
}

void AdRecord::setText(Text field, const QString& value, bool byTyping)
{
    QString& slot = m_texts[static_cast<int>(field)];
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
    bool& slot = m_effects[static_cast<int>(e)];
    if (slot == on)
        return;
    slot = on;
    Q_EMIT effectChanged(e);
}

void AdRecord::setColor(Color c, const ColorPair& pair)
{
    ColorPair& slot = m_colors[static_cast<int>(c)];
    if (slot == pair)
        return;
    slot = pair;
    Q_EMIT colorChanged(c);
}

void AdRecord::setIncludeOptional(bool on)
{
    if (m_includeOptional == on)
        return;
    m_includeOptional = on;
    Q_EMIT includeOptionalChanged(on);
}

void AdRecord::setLetterStyle(int style)
{
    if (m_letterStyle == style)
        return;
    m_letterStyle = style;
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
