#include "updater/package_download.h"

#include "core/hosts.h"
#include "core/https_request.h"
#include "core/install_folder.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// The digest file is one line; the package is the program, some megabytes.
constexpr qint64 MaxDigestBytes = 4096;
constexpr qint64 MaxPackageBytes = 256 * 1024 * 1024;
// What Qt's network thread may hold ahead of the Updater, which takes the bytes as they come.
constexpr qint64 ReadBufferBytes = 64 * 1024;

QString downloadPath()
{
    return programPath(u"lwupd"_s);
}

// The first word of the digest file, as `sha256sum` writes it; empty when it is no SHA-256.
QByteArray publishedDigest(const QByteArray& file)
{
    const QByteArray word = file.trimmed().split(' ').value(0).split('\t').value(0).trimmed().toLower();
    const bool hex = std::all_of(word.begin(), word.end(), [](char c) { return std::isxdigit(uchar(c)); });
    return word.size() == 64 && hex ? word : QByteArray();
}

} // namespace

PackageDownload::PackageDownload(QObject* parent) : QObject(parent) {}

PackageDownload::~PackageDownload()
{
    cancel();
}

void PackageDownload::cancel()
{
    if (m_reply) {
        disconnect(m_reply, nullptr, this, nullptr);
        m_reply->abort();
        m_reply->deleteLater();
    }
    m_file.close();
}

QNetworkReply* PackageDownload::get(const QString& path)
{
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    m_reply = m_network->get(httpsRequest(Hosts::current().packageServer, path, m_stall));
    m_reply->setReadBufferSize(ReadBufferBytes);
    connect(m_reply, &QNetworkReply::requestSent, this,
            [this] { Q_EMIT stateChanged(TransferState::Requesting); });
    return m_reply;
}

bool PackageDownload::arrivedWhole(QNetworkReply* reply)
{
    reply->deleteLater();
    m_reply = nullptr;
    if (reply->error() == QNetworkReply::NoError && !m_overCap)
        return true;
    m_file.close();
    // cancel() disconnects first, so only the stall time-out and the cap cancel a reply that reaches here.
    if (m_overCap)
        Q_EMIT stateChanged(TransferState::Error);
    else if (reply->error() == QNetworkReply::OperationCanceledError ||
             reply->error() == QNetworkReply::TimeoutError)
        Q_EMIT stalled();
    else
        Q_EMIT stateChanged(TransferState::Error);
    return false;
}

void PackageDownload::start()
{
    cancel();
    m_contentLength = 0;
    m_bytesReceived = 0;
    m_digest.clear();
    m_digestText.clear();
    m_overCap = false;
    m_hash.reset();
    QNetworkReply* reply = get(u"/lwr/updates/lwup.sha256"_s);
    const auto take = [this, reply] {
        m_digestText += reply->read(MaxDigestBytes + 1 - m_digestText.size());
        if (m_digestText.size() > MaxDigestBytes && !m_overCap) {
            m_overCap = true;
            reply->abort();
        }
    };
    connect(reply, &QNetworkReply::readyRead, this, take);
    connect(reply, &QNetworkReply::finished, this, [this, reply, take] {
        if (reply->error() == QNetworkReply::NoError)
            take();
        if (!arrivedWhole(reply))
            return;
        m_digest = publishedDigest(m_digestText);
        startPackage();
    });
}

void PackageDownload::startPackage()
{
    QNetworkReply* reply = get(u"/lwr/updates/lwup"_s);
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] { responseReceived(reply); });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { writeChunks(reply); });
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        writeChunks(reply);
        if (!m_reply || !arrivedWhole(reply))
            return;
        // On the disk before the rename can make it the program.
        const bool kept = m_file.flush() && ::fsync(m_file.handle()) == 0;
        m_file.close();
        if (!kept)
            return fail();
        Q_EMIT stateChanged(TransferState::Completed);
    });
}

void PackageDownload::responseReceived(QNetworkReply* reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // A refusal ends as a transfer error; the file is opened once per attempt.
    if (status < 200 || status > 299 || m_file.isOpen())
        return;
    Q_EMIT stateChanged(TransferState::ResponseReceived);
    bool number = false;
    m_contentLength = reply->rawHeader("Content-Length").trimmed().toLongLong(&number);
    if (!number || m_contentLength <= 0 || m_contentLength > MaxPackageBytes)
        return fail();
    // A fresh file, private until it is checked: no bytes of an older one, no link followed.
    QFile::remove(downloadPath());
    m_file.setFileName(downloadPath());
    // Unbuffered: what arrived is on the disk, not held back in a buffer.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered,
                     QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        fail();
}

void PackageDownload::writeChunks(QNetworkReply* reply)
{
    while (m_file.isOpen() && reply->bytesAvailable() > 0) {
        const QByteArray chunk = reply->read(1024);
        if (m_file.write(chunk) != chunk.size())
            return fail();
        m_hash.addData(chunk);
        m_bytesReceived += chunk.size();
        Q_EMIT chunkWritten(m_bytesReceived);
    }
}

void PackageDownload::fail()
{
    cancel();
    m_reply = nullptr;
    Q_EMIT failed();
}

bool PackageDownload::install()
{
    if (m_bytesReceived != m_contentLength || m_digest.isEmpty() || m_hash.result().toHex() != m_digest)
        return false;
    const QString program = programPath(u"Listwright"_s);
    using P = QFileDevice::Permission;
    const QFileDevice::Permissions mode = QFileInfo::exists(program)
                                              ? QFile::permissions(program)
                                              : P::ReadOwner | P::WriteOwner | P::ExeOwner | P::ReadGroup |
                                                    P::ExeGroup | P::ReadOther | P::ExeOther;
    if (!QFile::setPermissions(downloadPath(), mode))
        return false;
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(downloadPath()).toStdString(),
                            QFile::encodeName(program).toStdString(), error);
    return !error;
}

} // namespace lw
