#pragma once

#include <QByteArray>
#include <QString>

namespace lw {

// What the association of ad files registers with the desktop.
inline constexpr auto AdMimeType = "application/x-listwright";
inline constexpr auto AdDesktopFile = "listwright.desktop";

enum class AssociationResult
{
    Current, // everything was in place already: nothing written
    Written,
    Failed
};

// The shared-mime-info package of the ad-file type, and the program's desktop entry starting
// `exec` (already an Exec argument); the package installs the same two files.
QByteArray mimePackage();
QByteArray desktopEntry(const QString& exec);

// Makes "*.zad" files a MIME type of their own, "Listwright File" with the ad-file icon, and
// the program their default handler: a shared-mime-info package, the icons and a desktop
// entry in the user's data folder ($XDG_DATA_HOME) and the default in mimeapps.list of the
// user's config folder ($XDG_CONFIG_HOME). Writes only what is not current, then refreshes the
// MIME and desktop databases when their tools exist. Called at every start; never says a word.
AssociationResult RegisterAssociation(const QString& program, const QString& installFolder);

// The program as one argument of a desktop entry's Exec line: quoted only where a character
// needs it (xdg-open reads unquoted paths only), "%" doubled, escaped for the file format.
// Empty when the path cannot be written there (a line break).
QString desktopExecArgument(const QString& path);

// mimeapps.list with type's default set to desktopFile; everything else kept as it was.
QString withDefaultApplication(const QString& mimeappsList, const QString& type, const QString& desktopFile);

} // namespace lw
