#pragma once

#include <QNetworkRequest>
#include <QString>

#include <chrono>

namespace lw {

// A GET of https://host/path. The server's certificate must be signed by an authority the system
// trusts or one of the PEM file $LISTWRIGHT_CA_FILE names; the transfer gives up when nothing
// arrives for `stall`. A reply given a read buffer (QNetworkReply::setReadBufferSize) holds no more.
QNetworkRequest httpsRequest(const QString& host, const QString& path, std::chrono::milliseconds stall);
// The same for a whole address.
QNetworkRequest httpsRequest(const QUrl& url, std::chrono::milliseconds stall);

} // namespace lw
