#pragma once

#include <QString>

namespace lw {

// $LISTWRIGHT_HOME when set, else the folder of the running program; never with a trailing "/".
QString installFolder();
// Tests point the program at a copy of the installation.
void setInstallFolderOverride(const QString& folder);
// Paths the data files give as folder + "\name" are built with "/".
QString installPath(const QString& relative);
// The part after the last "/" or "\" (the whole text when there is none).
QString fileNameOf(const QString& path);

} // namespace lw
