#pragma once

#include "core/color.h"

#include <QObject>
#include <QString>

#include <array>

namespace lw {

// The editable ad of the main window. Windows bind their controls to it; the
// change rules of the unsaved-changes flag live here so that every editor of a
// field (window, file, command) follows them.
class AdRecord : public QObject
{
    Q_OBJECT
public:
    enum class Text
    {
        Title,
        SubTitle,
        Description,
        Condition,
        Age,
        Comments,
        ShipCost,
        Pounds,
        Ounces,
        TitleSize,
        SubTitleSize,
        DescriptionSize,
        MusicUrl,
        Count
    };
    Q_ENUM(Text)
    enum class Effect
    {
        TitleScrollL,
        TitleScrollR,
        TitleScrollB,
        SubTitleScrollL,
        SubTitleScrollR,
        SubTitleScrollB,
        NoRightClick,
        Music,
        Count
    };
    Q_ENUM(Effect)
    enum class Color
    {
        Title,
        SubTitle,
        Description,
        Optional,
        Count
    };
    Q_ENUM(Color)

    explicit AdRecord(QObject* parent = nullptr);

    const QString& text(Text field) const { return m_texts[static_cast<int>(field)]; }
    // byTyping matters for the three size lists only: typing a size marks the ad
    // changed, choosing one from the list does not.
    void setText(Text field, const QString& value, bool byTyping = true);

    bool effect(Effect e) const { return m_effects[static_cast<int>(e)]; }
    void setEffect(Effect e, bool on);

    const ColorPair& color(Color c) const { return m_colors[static_cast<int>(c)]; }
    void setColor(Color c, const ColorPair& pair);

    bool includeOptional() const { return m_includeOptional; }
    void setIncludeOptional(bool on);
    int letterStyle() const { return m_letterStyle; }
    void setLetterStyle(int style);

    bool adChanged() const { return m_adChanged; }
    void setAdChanged(bool changed);
    bool noSaving() const { return m_noSaving; }
    void setNoSaving(bool on) { m_noSaving = on; }

Q_SIGNALS:
    void textChanged(lw::AdRecord::Text field);
    void effectChanged(lw::AdRecord::Effect effect);
    void colorChanged(lw::AdRecord::Color color);
    void includeOptionalChanged(bool on);
    void letterStyleChanged(int style);
    void adChangedChanged(bool changed);

private:
    std::array<QString, static_cast<int>(Text::Count)> m_texts;
    std::array<bool, static_cast<int>(Effect::Count)> m_effects{};
    std::array<ColorPair, static_cast<int>(Color::Count)> m_colors{};
    bool m_includeOptional = false;
    int m_letterStyle = 0;
    bool m_adChanged = false;
    bool m_noSaving = false;
};

} // namespace lw
