#include "core/https_request.h"

#include <QSslConfiguration>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace lw {

QNetworkRequest httpsRequest(const QString& host, const QString& path, std::chrono::milliseconds stall)
{
    QNetworkRequest request(QUrl(u"https://"_s + host + path));
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setPeerVerifyMode(QSslSocket::VerifyPeer);
    const QString extra = qEnvironmentVariable("LISTWRIGHT_CA_FILE");
    // Naming authorities stops the system's from loading on demand, so they are named too.
    if (!extra.isEmpty())
        tls.setCaCertificates(QSslConfiguration::systemCaCertificates() + QSslCertificate::fromPath(extra));
    request.setSslConfiguration(tls);
    request.setTransferTimeout(int(stall.count()));
    return request;
}

} // namespace lw
