#pragma once

#include <QByteArray>
#include <QString>

namespace lw {

// The one way the program writes a file: the bytes go into a new file in the same folder, every
// write and the flush to the disk are checked, and only then is the new file renamed over the old
// one and the folder flushed. A write that fails (a full disk, a folder that takes no new file)
// leaves the old file exactly as it was; nothing is ever written in place. A file that already
// holds these bytes is not written again.
struct FileWrite
{
    // Mode 0600; otherwise an existing file keeps its mode and a new one gets 0666 less the umask.
    bool privateFile = false;
    // A link at the path is replaced by the file; otherwise the file it names is written.
    bool replaceLink = false;
};

bool writeFile(const QString& path, const QByteArray& bytes, const FileWrite& how, QString* error = nullptr);

// What went wrong, in the seller's words: the folder and why ("the disk is full", "you may not create
// files in this folder"), and whether the file that was there is unchanged.
QString writeFailureText(int code, const QString& folder, const QString& keptFile = {});

} // namespace lw
