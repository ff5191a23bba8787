#include "core/models/picture_list.h"

namespace lw {

PictureList::PictureList(QObject* parent) : QObject(parent) {}

void PictureList::setText(int i, const QString& text)
{
    if (m_values.slots.at(i).text == text)
        return;
    m_values.slots[i].text = text;
    Q_EMIT textChanged(i);
}

void PictureList::setEnabled(int i, bool enabled)
{
    if (m_values.slots.at(i).enabled == enabled)
        return;
    m_values.slots[i].enabled = enabled;
    Q_EMIT slotStateChanged(i);
}

void PictureList::setBrowseEnabled(int i, bool enabled)
{
    if (m_values.slots.at(i).browseEnabled == enabled)
        return;
    m_values.slots[i].browseEnabled = enabled;
    Q_EMIT slotStateChanged(i);
}

void PictureList::setThumbSize(const QString& width, const QString& height)
{
    if (m_values.thumbWidth == width && m_values.thumbHeight == height)
        return;
    m_values.thumbWidth = width;
    m_values.thumbHeight = height;
    Q_EMIT thumbSizeChanged();
}

} // namespace lw
