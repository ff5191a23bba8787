#pragma once

#include <QObject>
#include <QString>

#include <array>

namespace lw {

struct PictureSlot
{
    QString text;
    bool enabled = true;        // label, text box and paste button
    bool browseEnabled = false; // the Browse button
};

// The ad's pictures: ten slots and the thumbnail size, whole pixels or the text the seller typed.
struct PictureValues
{
    std::array<PictureSlot, 10> slots;
    QString thumbWidth = QStringLiteral("200");
    QString thumbHeight = QStringLiteral("150");
};

// The ad's ten picture slots and thumbnail size (the picture window's state).
class PictureList : public QObject
{
    Q_OBJECT
public:
    static constexpr int SlotCount = 10;
    using Slot = PictureSlot;

    explicit PictureList(QObject* parent = nullptr);

    const PictureValues& values() const { return m_values; }
    const Slot& slot(int i) const { return m_values.slots.at(i); }
    const QString& text(int i) const { return m_values.slots.at(i).text; }
    void setText(int i, const QString& text);
    void setEnabled(int i, bool enabled);
    void setBrowseEnabled(int i, bool enabled);

    const QString& thumbWidth() const { return m_values.thumbWidth; }
    const QString& thumbHeight() const { return m_values.thumbHeight; }
    void setThumbSize(const QString& width, const QString& height);
    void setThumbWidth(const QString& width) { setThumbSize(width, m_values.thumbHeight); }
    void setThumbHeight(const QString& height) { setThumbSize(m_values.thumbWidth, height); }

Q_SIGNALS:
    // A slot's text changed: the ad has changed.
    void textChanged(int slot);
    void slotStateChanged(int slot);
    void thumbSizeChanged();

private:
    PictureValues m_values;
};

} // namespace lw
