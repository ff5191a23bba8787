#pragma once

#include <QObject>
#include <QString>

#include <array>

namespace lw {

// The ad's ten picture slots and thumbnail size (the picture window's state).
class PictureList : public QObject
{
    Q_OBJECT
public:
    static constexpr int SlotCount = 10;
    struct Slot
    {
        QString text;
        bool enabled = true;        // label, text box and paste button
        bool browseEnabled = false; // the Browse button
    };

    explicit PictureList(QObject* parent = nullptr);

    const Slot& slot(int i) const { return m_slots.at(i); }
    const QString& text(int i) const { return m_slots.at(i).text; }
    void setText(int i, const QString& text);
    void setEnabled(int i, bool enabled);
    void setBrowseEnabled(int i, bool enabled);

    // Whole pixels, or the text the seller typed into the size prompts.
    const QString& thumbWidth() const { return m_thumbWidth; }
    const QString& thumbHeight() const { return m_thumbHeight; }
    void setThumbSize(const QString& width, const QString& height);
    void setThumbWidth(const QString& width) { setThumbSize(width, m_thumbHeight); }
    void setThumbHeight(const QString& height) { setThumbSize(m_thumbWidth, height); }

Q_SIGNALS:
    // A slot's text changed: the ad has changed.
    void textChanged(int slot);
    void slotStateChanged(int slot);
    void thumbSizeChanged();

private:
    std::array<Slot, SlotCount> m_slots;
    QString m_thumbWidth = QStringLiteral("200");
    QString m_thumbHeight = QStringLiteral("150");
};

} // namespace lw
