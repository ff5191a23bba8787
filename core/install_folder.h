#pragma once

#include <QString>

namespace lw {

// How this run keeps its files. Portable: one writable folder holds the programs, the content
// and the seller's files (a build folder, an unpacked archive, $LISTWRIGHT_HOME). Installed: the
// programs in a private folder (lib/listwright), the content read-only in share/listwright, the
// seller's files in the XDG folders (core/user_files.h).
enum class InstallLayout
{
    Portable,
    Installed
};

// Decided from $LISTWRIGHT_HOME and where the running program lies: installed when its folder
// holds no templates but the share/listwright of its installation prefix does.
InstallLayout installLayout();
bool isInstalled();

// The content: $LISTWRIGHT_HOME when set, else the folder of the running program, or the
// share/listwright of an installation; never with a trailing "/".
QString installFolder();
// The folder of the programs (Listwright, Updater and their hand-over marker); the installation
// folder itself when portable.
QString programFolder();
// Tests point the program at a copy of the installation, laid out either way.
void setInstallFolderOverride(const QString& folder, InstallLayout layout = InstallLayout::Portable);
// Paths the data files give as folder + "\name" are built with "/".
QString installPath(const QString& relative);
QString programPath(const QString& relative);
// The part after the last "/" or "\" (the whole text when there is none).
QString fileNameOf(const QString& path);

} // namespace lw
