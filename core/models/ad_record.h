#pragma once

#include "core/color.h"

#include <QObject>
#include <QString>

#include <array>

namespace lw {

// The three text boxes of the main window that the editor commands write into.
enum class TextBox
{
    Title,
    SubTitle,
    Description
};

// The ad as the seller edits it in the main window.
struct AdValues
{
    QString title, subTitle;
    QString description; // line breaks as CR LF
    QString condition, age, comments, shipCost;
    QString pounds, ounces;
    QString titleSize, subTitleSize, descriptionSize;
    QString musicUrl;
    ColorPair titleColor, subTitleColor, descriptionColor, optionalColor;
    // Title scrolls left to right, right to left, bounce; the same for the sub-title; no
    // right-click; background music.
    std::array<bool, 8> effects{};
    bool includeOptional = false;
    int letterStyle = 0;
};

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

    // A new ad: empty texts, no weight, the usual sizes.
    static AdValues newAd();

    const AdValues& values() const { return m_values; }
    // Takes every value as a whole (an ad file being opened); changes nothing of the flags.
    void setValues(const AdValues& values);

    const QString& text(Text field) const { return m_values.*textMember(field); }
    // byTyping matters for the three size lists only: typing a size marks the ad
    // changed, choosing one from the list does not.
    void setText(Text field, const QString& value, bool byTyping = true);

    bool effect(Effect e) const { return m_values.effects[static_cast<int>(e)]; }
    void setEffect(Effect e, bool on);

    const ColorPair& color(Color c) const { return m_values.*colorMember(c); }
    void setColor(Color c, const ColorPair& pair);

    bool includeOptional() const { return m_values.includeOptional; }
    void setIncludeOptional(bool on);
    int letterStyle() const { return m_values.letterStyle; }
    void setLetterStyle(int style);

    bool adChanged() const { return m_adChanged; }
    void setAdChanged(bool changed);
    bool noSaving() const { return m_noSaving; }
    void setNoSaving(bool on) { m_noSaving = on; }

    static QString AdValues::*textMember(Text field);
    static ColorPair AdValues::*colorMember(Color color);

Q_SIGNALS:
    void textChanged(lw::AdRecord::Text field);
    void effectChanged(lw::AdRecord::Effect effect);
    void colorChanged(lw::AdRecord::Color color);
    void includeOptionalChanged(bool on);
    void letterStyleChanged(int style);
    void adChangedChanged(bool changed);

private:
    AdValues m_values = newAd();
    bool m_adChanged = false;
    bool m_noSaving = false;
};

} // namespace lw
