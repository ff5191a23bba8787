#include "core/dialog_folders.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

QString keyOf(FileKind kind)
{
    return kind == FileKind::Ad ? u"ads"_s : u"pictures"_s;
}

} // namespace

QString DialogFolders::startFolder(FileKind kind) const
{
    const QString last = m_folders.value(keyOf(kind));
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString documents = QDir::homePath() + u"/Documents"_s;
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void DialogFolders::remember(FileKind kind, const QString& chosenFile)
{
    m_folders.insert(keyOf(kind), QFileInfo(chosenFile).absolutePath());
}

} // namespace lw
