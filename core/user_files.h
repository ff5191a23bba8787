#pragma once

#include <QString>

namespace lw {

// Where the files the program writes for the seller live: the small files ("settings.txt",
// "eBaycfg.txt", "updpr.dat", "nolink.txt") and the template data files and ".custom" markers
// that Save Template Settings writes. Portable: the installation folder and its "templates/".
// Installed: $XDG_CONFIG_HOME/listwright and $XDG_DATA_HOME/listwright/templates, the
// installation's read-only copies still read when the seller has none.

// Where the seller's copy of a small file is written; its folder is made when missing.
QString userFileToWrite(const QString& name);
// The seller's copy when there is one, else the installation's when there is one, else the
// seller's (which does not exist yet).
QString userFileToRead(const QString& name);

// The same for a file of the template catalogue ("01.dat", "01.custom").
QString templateFileToWrite(const QString& name);
QString templateFileToRead(const QString& name);

// The folders themselves, with "/" at the end.
QString userConfigFolder();
QString userTemplateFolder();

} // namespace lw
