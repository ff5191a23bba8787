#pragma once

#include "core/models/picture_list.h"
#include "core/models/preferences.h"

#include <QObject>
#include <QString>

namespace lw {

// What an upload sends: the seller's account and the ad's picture slots.
struct UploadRequest
{
    Preferences::FtpAccount account;
    bool passive = false;
    PictureValues pictures;
};

// The upload of the ad's pictures before a generation: a start call and result signals, so a
// transfer never blocks the window.
class PictureUpload : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // finished() follows every start, also after abort(); it may come before start returns.
    virtual void start(const UploadRequest& request) = 0;
    virtual void abort() = 0;

Q_SIGNALS:
    // The picture of `slot` is on its way: bytes of it sent so far and in all.
    void progress(int slot, qint64 sent, qint64 total);
    // Not ok: the upload was aborted or failed; title and text tell the seller why.
    void finished(bool ok, const QString& title, const QString& text);
};

} // namespace lw
