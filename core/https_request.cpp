#include "core/https_request.h"

#include <QSslConfiguration>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace lw {

QNetworkRequest httpsRequest(const QString& host, const QString& path, std::chrono::milliseconds stall)
{
    return httpsRequest(QUrl(u"https://"_s + host + path), stall);
}

QNetworkRequest httpsRequest(const QUrl& url, std::chrono::milliseconds stall)
{
    QNetworkRequest request(url);
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    const QString extra = qEnvironmentVariable("LISTWRIGHT_CA_FILE");
    // Naming authorities stops the system's from loading on demand, so they are named too.
    if (!extra.isEmpty())
        tls.setCaCertificates(QSslConfiguration::systemCaCertificates() + QSslCertificate::fromPath(extra));
    request.setSslConfiguration(tls);
    request.setTransferTimeout(int(stall.count()));
    // HTTP/1.1: Qt stops reading it while a reply's read buffer is full, where its HTTP/2 window
    // lets a server send some 20 MB ahead, so the buffer could not bound what a reply costs.
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    return request;
}

} // namespace lw
