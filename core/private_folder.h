#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace lw {

// A folder only this user can enter, for files that must not be planted on or read by others
// (the preview page): "listwright" in $XDG_RUNTIME_DIR, else "listwright-UID" in the temporary
// folder, made with mode 0700. A folder of that name that is a link, someone else's or open to
// others is not used; a fresh private folder stands in. Ends with "/"; nullopt when none can be made.
std::optional<QString> privateFolder(const QString& tempFolder, QString* error = nullptr);

// Writes through a temporary file renamed over the target; a link at the target is replaced,
// never followed.
bool writeFileReplacingLinks(const QString& path, const QByteArray& bytes, QString* error = nullptr);

} // namespace lw
