#pragma once

#include "core/models/preferences.h"

#include <QList>
#include <QObject>
#include <QString>

namespace lw {

// One file to send: where it is here and where it goes on the seller's server.
struct UploadItem
{
    // The picture slot (0 to 9) it comes from; -1 for the emoticon and letter pictures of the ad.
    int slot = -1;
    QString localPath;
    // A folder below the account's remote folder ("" for the remote folder itself); made when missing.
    QString subFolder;
    QString remoteName;
};

// What an upload sends: the seller's account and the files, in order.
struct UploadRequest
{
    // The server text may name the protocol: "ftps://host" (FTP over explicit TLS), "sftp://host";
    // a bare host or "ftp://host" is plain FTP.
    Preferences::FtpAccount account;
    bool passive = false;
    QList<UploadItem> items;
};

// The upload of the ad's pictures before a generation: a start call and result signals, so a
// transfer never blocks the window.
class PictureUpload : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // finished() follows every start, also after abort(); it may come before start returns.
    void start(const UploadRequest& request)
    {
        m_request = request;
        startUpload(m_request);
    }
    // Stops the transfer in flight; no later file is sent.
    virtual void abort() = 0;
    // The request of the upload that runs, or ran last.
    const UploadRequest& request() const { return m_request; }

Q_SIGNALS:
    // Item `index` of the request is on its way.
    void itemStarted(int index);
    // Bytes of the current item and of the whole request sent so far and in all.
    void progress(qint64 itemSent, qint64 itemTotal, qint64 batchSent, qint64 batchTotal);
    // Not ok: the upload was aborted or failed; title and text tell the seller why (an empty
    // title is the program's name).
    void finished(bool ok, const QString& title, const QString& text);

protected:
    virtual void startUpload(const UploadRequest& request) = 0;

private:
    UploadRequest m_request;
};

} // namespace lw
