#pragma once

#include <QCryptographicHash>
#include <QFile>
#include <QObject>
#include <QPointer>

#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

namespace lw {

// The transfer states the Updater acts on, numbered as its transfer control numbered them.
enum class TransferState
{
    Requesting = 5,
    ResponseReceived = 8,
    Error = 11,
    Completed = 12
};

// The new program's download from the package server: first the digest published beside the
// package ("/lwr/updates/lwup.sha256", as `sha256sum` writes it), then the package itself
// ("/lwr/updates/lwup"), written chunk by chunk to a fresh "lwupd" in the program folder while
// its SHA-256 is taken. The program is not touched before install().
class PackageDownload : public QObject
{
    Q_OBJECT
public:
    explicit PackageDownload(QObject* parent = nullptr);
    ~PackageDownload() override;

    // A new attempt: counts start again and any earlier "lwupd" is replaced.
    void start();
    // Stops the transfer without a signal.
    void cancel();
    void setStallTimeout(std::chrono::milliseconds stall) { m_stall = stall; }
    std::chrono::milliseconds stallTimeout() const { return m_stall; }
    qint64 contentLength() const { return m_contentLength; }
    qint64 bytesReceived() const { return m_bytesReceived; }
    // After Completed: when the download has the announced length and the published digest, it
    // is moved over the program in one rename, with the program's permissions. False otherwise.
    bool install();

Q_SIGNALS:
    void stateChanged(lw::TransferState state);
    // A chunk of at most 1024 bytes went to "lwupd".
    void chunkWritten(qint64 bytesReceived);
    // Nothing arrived for the stall time-out; the transfer has stopped.
    void stalled();
    // The response announced no usable length (none, or more than a program's 256 MB) or "lwupd"
    // could not be written; stopped.
    void failed();

private:
    QNetworkReply* get(const QString& path);
    // Whether a finished reply came whole; reports the error or the stall otherwise.
    bool arrivedWhole(QNetworkReply* reply);
    void startPackage();
    void responseReceived(QNetworkReply* reply);
    void writeChunks(QNetworkReply* reply);
    void fail();

    std::chrono::milliseconds m_stall{30000};
    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    QFile m_file;
    QCryptographicHash m_hash{QCryptographicHash::Sha256};
    QByteArray m_digestText, m_digest;
    // A reply ran over its cap and was stopped.
    bool m_overCap = false;
    qint64 m_contentLength = 0;
    qint64 m_bytesReceived = 0;
};

} // namespace lw
