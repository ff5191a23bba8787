#pragma once

#include <QMap>
#include <QString>

namespace lw {

// The kinds of file the seller picks in the file dialogs.
enum class FileKind
{
    Ad,
    Picture
};

// Where the file dialogs open: the folder the seller used last for that kind of file, else
// ~/Documents when it exists, else the home folder. The window-state file keeps the folders
// between runs.
class DialogFolders
{
public:
    QString startFolder(FileKind kind) const;
    // The seller picked this file: the next dialog of its kind opens in its folder.
    void remember(FileKind kind, const QString& chosenFile);

    // As the window-state file keeps them: "ads" and "pictures" to a folder.
    const QMap<QString, QString>& entries() const { return m_folders; }
    void setEntries(const QMap<QString, QString>& entries) { m_folders = entries; }

private:
    QMap<QString, QString> m_folders;
};

} // namespace lw
