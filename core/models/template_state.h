#pragma once

#include "core/color.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

namespace lw {

// The template list of the preferences window: the "*.tpt" files of a folder
// in file-name order and the selected one (-1 for none).
class TemplateCatalogue : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    const QString& folder() const { return m_folder; }
    // Rescans the folder; a freshly filled list has no selection.
    void setFolder(const QString& folder);
    const QStringList& files() const { return m_files; }
    int selectedIndex() const { return m_selected; }
    QString selectedFile() const;
    // Out-of-range indexes select nothing.
    void setSelectedIndex(int index);
    void rescan();

Q_SIGNALS:
    void filesChanged();
    void selectionChanged(int index);

private:
    QString m_folder;
    QStringList m_files;
    int m_selected = -1;
};

// Values read from the selected template's data file that belong to no window.
struct TemplateValues
{
    int imageAmount = 5;
    QString enlargeColor = QStringLiteral("#FFFFFF");
    int tableCount = 4;
};

// Page and table backgrounds: the template customisation window's state.
// Entry 0 is the page; its colour and texture switch are kept only so that ad
// files round-trip.
class TableBackgrounds : public QObject
{
    Q_OBJECT
public:
    struct Entry
    {
        QString colorText = QStringLiteral("#000000"); // TableColors(i)
        QString colorValue = QStringLiteral("0");      // TableColorValues(i), decimal text
        QString texture;                               // TableTextures(i): what the page uses
        QString textureBox;                            // txtTableTexture(i): what the window shows
        bool useTexture = false;                       // chkUseTexture(i)
        bool rowEnabled = true;                        // the five controls of table i
    };

    explicit TableBackgrounds(QObject* parent = nullptr);

    const Entry& entry(int i) const { return m_entries.at(i); }
    const std::array<Entry, 5>& entries() const { return m_entries; }
    void setColor(int i, const QString& text, const QString& valueText);
    void setColorValue(int i, qint64 value);
    void setTexture(int i, const QString& texture);
    void setTextureBox(int i, const QString& text);
    // Setting the switch runs its click rule when the value changes.
    void setUseTexture(int i, bool on);
    // The texture state of table i: a checked switch takes the box text as the table's texture.
    void applyTextureState(int i);
    void setRowEnabled(int i, bool enabled);
    // "Sample" or "Not Used In Template".
    QString swatchCaption(int i) const;

Q_SIGNALS:
    // Table i is to be shown again.
    void changed(int index);
    // A value of table i that the ad file keeps (colour, texture, switch) is different now.
    void edited(int index);

private:
    std::array<Entry, 5> m_entries;
};

} // namespace lw
