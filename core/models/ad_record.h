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

// The editable ad of the main window. Windows bind their controls to it. Every change of a value
// the ad file keeps marks the ad changed, whoever makes it (the seller's typing, an editor
// command, an effect, a template's colours); loading a whole ad (setValues) does not, and the
// loader clears the flag when it is done.
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
    void setText(Text field, const QString& value);

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
    // A value the ad file keeps changed, here or in the pictures, the template choice or the table
    // backgrounds: the ad has unsaved changes.
    void noteEdit();

    static QString AdValues::*textMember(Text field);
    static ColorPair AdValues::*colorMember(Color color);

Q_SIGNALS:
    void textChanged(lw::AdRecord::Text field);
    void effectChanged(lw::AdRecord::Effect effect);
    void colorChanged(lw::AdRecord::Color color);
    void includeOptionalChanged(bool on);
    void letterStyleChanged(int style);
    void adChangedChanged(bool changed);
    // After every noteEdit: something the ad file keeps is different now.
    void edited();

private:
    AdValues m_values = newAd();
    bool m_adChanged = false;
};

} // namespace lw
