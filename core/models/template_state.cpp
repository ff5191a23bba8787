#include "core/models/template_state.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace lw {

void TemplateCatalogue::setFolder(const QString& folder)
{
    m_folder = folder;
    rescan();
}

void TemplateCatalogue::rescan()
{
    QDir dir(m_folder);
    QStringList files;
    if (!m_folder.isEmpty() && dir.exists())
        files = dir.entryList({u"*.tpt"_s}, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    m_files = files;
    m_selected = -1;
    Q_EMIT filesChanged();
    Q_EMIT selectionChanged(m_selected);
}

QString TemplateCatalogue::selectedFile() const
{
    return m_selected >= 0 && m_selected < m_files.size() ? m_files.at(m_selected) : QString();
}

void TemplateCatalogue::setSelectedIndex(int index)
{
    if (index < 0 || index >= m_files.size())
        index = -1;
    m_selected = index;
    Q_EMIT selectionChanged(m_selected);
}

TableBackgrounds::TableBackgrounds(QObject* parent) : QObject(parent)
{
    const char16_t* texts[] = {u"#000000", u"#8FBEF8", u"#004E9B", u"#B9E1FF", u"#ECF9FF"};
    const char16_t* values[] = {u"0", u"16301711", u"10178048", u"16769465", u"16775660"};
    for (int i = 0; i < 5; ++i) {
        m_entries[i].colorText = QString::fromUtf16(texts[i]);
        m_entries[i].colorValue = QString::fromUtf16(values[i]);
    }
}

void TableBackgrounds::setColor(int i, const QString& text, const QString& valueText)
{
    if (m_entries[i].colorValue != valueText)
        Q_EMIT edited(i);
    m_entries[i].colorText = text;
    m_entries[i].colorValue = valueText;
    Q_EMIT changed(i);
}

void TableBackgrounds::setColorValue(int i, qint64 value)
{
    setColor(i, ColorToHtml(value), QString::number(value));
}

void TableBackgrounds::setTexture(int i, const QString& texture)
{
    if (m_entries[i].texture != texture)
        Q_EMIT edited(i);
    m_entries[i].texture = texture;
    Q_EMIT changed(i);
}

void TableBackgrounds::setTextureBox(int i, const QString& text)
{
    m_entries[i].textureBox = text;
    Q_EMIT changed(i);
}

void TableBackgrounds::setUseTexture(int i, bool on)
{
    if (m_entries[i].useTexture == on)
        return;
    m_entries[i].useTexture = on;
    Q_EMIT edited(i);
    if (i > 0)
        applyTextureState(i);
    Q_EMIT changed(i);
}

void TableBackgrounds::applyTextureState(int i)
{
    if (m_entries[i].useTexture && m_entries[i].texture != m_entries[i].textureBox) {
        m_entries[i].texture = m_entries[i].textureBox;
        Q_EMIT edited(i);
    }
    Q_EMIT changed(i);
}

void TableBackgrounds::setRowEnabled(int i, bool enabled)
{
    m_entries[i].rowEnabled = enabled;
    Q_EMIT changed(i);
}

QString TableBackgrounds::swatchCaption(int i) const
{
    return m_entries[i].rowEnabled ? u"Sample"_s : u"Not Used In Template"_s;
}

} // namespace lw
