#include "pictures/address_check.h"

#include "core/https_request.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

#include <vector>

using namespace Qt::StringLiterals;

namespace lw {

using Trouble = PictureAddress::Trouble;

namespace {

// The reply's answer, once its status is known.
void judge(PictureAddress& a, QNetworkReply* reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString type = reply->header(QNetworkRequest::ContentTypeHeader).toString();
    if (status == 200 || status == 206) {
        if (!type.trimmed().startsWith(u"image/"_s, Qt::CaseInsensitive)) {
            a.trouble = Trouble::NotPicture;
            a.detail = type;
        }
    } else if (status == 404 || status == 410) {
        a.trouble = Trouble::NotFound;
        a.detail = QString::number(status);
    } else if (status > 0) {
        a.trouble = Trouble::Failed;
        a.detail = u"the server answered "_s + QString::number(status) + u' ' +
                   reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    } else {
        a.trouble = Trouble::Failed;
        a.detail = reply->errorString();
    }
}

} // namespace

class AddressCheck::Run : public QObject
{
public:
    Run(AddressCheck* owner, const QList<PictureAddress>& addresses, std::chrono::milliseconds limit)
        : m_owner(owner), m_addresses(addresses), m_done(std::size_t(addresses.size()), false),
          m_request(httpsRequest(QUrl(), limit))
    {
        // The limit counts from the start, the setting up of the connections included.
        m_timer.setSingleShot(true);
        connect(&m_timer, &QTimer::timeout, this, [this] { stop({}); });
        m_timer.start(limit);
        m_request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                               QNetworkRequest::UserVerifiedRedirectPolicy);
        for (int i = 0; i < m_addresses.size(); ++i) {
            PictureAddress& a = m_addresses[i];
            const QUrl url(a.address, QUrl::TolerantMode);
            if (url.scheme().compare(u"https"_s, Qt::CaseInsensitive) == 0 && !url.host().isEmpty()) {
                ask(i, false);
                continue;
            }
            a.trouble = url.scheme().compare(u"http"_s, Qt::CaseInsensitive) == 0 ? Trouble::Refused
                                                                                  : Trouble::Failed;
            if (a.trouble == Trouble::Failed)
                a.detail = u"it is not a web address beginning with https://"_s;
            m_done[std::size_t(i)] = true;
        }
        endIfDone();
    }

    QList<PictureAddress> results() const { return m_addresses; }

    // What has not answered counts as timed out.
    void stop(const QString& why)
    {
        for (std::size_t i = 0; i < m_done.size(); ++i) {
            if (!m_done[i]) {
                m_addresses[int(i)].trouble = Trouble::TimedOut;
                m_addresses[int(i)].detail = why;
                m_done[i] = true;
            }
        }
        for (QNetworkReply* reply : m_net.findChildren<QNetworkReply*>())
            reply->abort();
        endIfDone();
    }

private:
    void ask(int i, bool ranged)
    {
        // One request's set-up for all: the authorities are read once.
        QNetworkRequest request = m_request;
        request.setUrl(QUrl(m_addresses[i].address, QUrl::TolerantMode));
        if (ranged)
            request.setRawHeader("Range", "bytes=0-0");
        QNetworkReply* reply = ranged ? m_net.get(request) : m_net.head(request);
        reply->setProperty("index", i);
        // Nothing of a picture is read: the answer's head tells all.
        reply->setReadBufferSize(1);
        PictureAddress& a = m_addresses[i];
        connect(reply, &QNetworkReply::sslErrors, this, [&a](const QList<QSslError>& errors) {
            a.trouble = Trouble::Certificate;
            a.detail = errors.value(0).errorString();
        });
        connect(reply, &QNetworkReply::redirected, this, [this, reply, i](const QUrl& to) {
            if (to.scheme() == u"https") {
                Q_EMIT reply->redirectAllowed();
                return;
            }
            m_addresses[i].trouble = Trouble::Refused;
            m_addresses[i].detail = to.toString();
            done(i);
            reply->abort();
        });
        if (ranged) {
            connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply, i] {
                const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                if (m_done[std::size_t(i)] || status == 0 || (status >= 300 && status < 400))
                    return;
                judge(m_addresses[i], reply);
                done(i);
                reply->abort();
            });
        }
        connect(reply, &QNetworkReply::finished, this, [this, reply, i, ranged] {
            reply->deleteLater();
            if (m_done[std::size_t(i)])
                return;
            const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            // Some servers refuse HEAD; a one-byte GET asks the same.
            if (!ranged && m_addresses[i].trouble == Trouble::None && (status == 405 || status == 501)) {
                ask(i, true);
                return;
            }
            if (m_addresses[i].trouble == Trouble::None)
                judge(m_addresses[i], reply);
            done(i);
        });
    }

    void done(int i)
    {
        m_done[std::size_t(i)] = true;
        endIfDone();
    }

    void endIfDone()
    {
        for (const bool d : m_done)
            if (!d)
                return;
        m_timer.stop();
        // Later: the run ends from its owner, never inside one of its own replies.
        AddressCheck* owner = m_owner;
        QMetaObject::invokeMethod(
            owner,
            [owner, run = this] {
                if (owner->m_run.get() != run)
                    return;
                const QList<PictureAddress> results = run->results();
                owner->m_run.reset();
                Q_EMIT owner->finished(results);
            },
            Qt::QueuedConnection);
    }

    AddressCheck* const m_owner;
    QList<PictureAddress> m_addresses;
    std::vector<bool> m_done;
    QNetworkRequest m_request;
    QNetworkAccessManager m_net;
    QTimer m_timer;
};

AddressCheck::AddressCheck(QObject* parent) : QObject(parent) {}

AddressCheck::~AddressCheck() = default;

void AddressCheck::start(const QList<PictureAddress>& addresses)
{
    m_run = std::make_unique<Run>(this, addresses, m_limit);
}

void AddressCheck::abort()
{
    if (m_run)
        m_run->stop(u"you stopped the check"_s);
}

bool AddressCheck::isRunning() const
{
    return m_run != nullptr;
}

QString addressTroubleText(const QList<PictureAddress>& addresses, std::chrono::milliseconds limit)
{
    QStringList lines;
    bool refused = false;
    for (const PictureAddress& a : addresses) {
        QString why;
        switch (a.trouble) {
        case Trouble::None:
            continue;
        case Trouble::NotFound:
            why = u"not found (the server answered "_s + a.detail + u')';
            break;
        case Trouble::NotPicture:
            why = a.detail.isEmpty() ? u"not a picture"_s
                                     : u"not a picture (the server sends \""_s + a.detail + u"\")"_s;
            break;
        case Trouble::Certificate:
            why = u"the site's certificate is not trusted ("_s + a.detail + u')';
            break;
        case Trouble::TimedOut:
            why = a.detail.isEmpty()
                      ? u"no answer within %1 seconds"_s.arg(qMax<qint64>(1, limit.count() / 1000))
                      : u"not checked: "_s + a.detail;
            break;
        case Trouble::Refused:
            refused = true;
            why = a.detail.isEmpty()
                      ? u"the auction site will refuse it: the address begins with http://, not https://"_s
                      : u"the auction site will refuse it: it is sent on to "_s + a.detail;
            break;
        case Trouble::Failed:
            why = a.detail;
            break;
        }
        lines << a.label + u": "_s + a.address + u"\r\n    "_s + why;
    }
    if (lines.isEmpty())
        return {};
    return u"Your pictures were uploaded, but buyers would not see these in your ad:\r\n\r\n"_s +
           lines.join(u"\r\n"_s) +
           (refused
                ? u"\r\n\r\nAuction sites show only pictures that come over https://.  Change the Web Image "
                  u"URL "
                  u"in the Preferences window to begin with https://."_s
                : u"\r\n\r\nThe Web Image URL in the Preferences window must be the web address of the FTP "
                  u"folder your pictures go to."_s) +
           u"  Generate the ad anyway?"_s;
}

} // namespace lw
