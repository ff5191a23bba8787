#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

class QNetworkReply;

namespace lw {

// One picture's web address and, once checked, what is wrong with it.
struct PictureAddress
{
    enum class Trouble
    {
        None,
        NotFound,
        NotPicture,
        Certificate,
        TimedOut,
        // An http:// address: the auction site refuses pictures that do not come over https.
        Refused,
        Failed
    };
    // What the seller calls it: "Image 3".
    QString label;
    QString address;
    Trouble trouble = Trouble::None;
    // The content type, the status or the failure, when it says more.
    QString detail;
};

// Asks the seller's web server for each uploaded picture, all at once: HEAD, else a one-byte GET;
// certificates verified, redirects followed only to https. A picture is there when it answers 200
// (206) with an image type. Everything is given up after the time limit.
class AddressCheck : public QObject
{
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds DefaultLimit{10000};

    explicit AddressCheck(QObject* parent = nullptr);
    ~AddressCheck() override;

    // finished() follows, never before start returns.
    void start(const QList<PictureAddress>& addresses);
    // Stops asking: finished() follows, the addresses not answered yet counted as timed out.
    void abort();
    bool isRunning() const;
    void setLimit(std::chrono::milliseconds limit) { m_limit = limit; }
    std::chrono::milliseconds limit() const { return m_limit; }

Q_SIGNALS:
    void finished(const QList<lw::PictureAddress>& addresses);

private:
    class Run;
    std::chrono::milliseconds m_limit = DefaultLimit;
    std::unique_ptr<Run> m_run;
};

// The message for the addresses with trouble; empty when there is none.
QString addressTroubleText(const QList<PictureAddress>& addresses, std::chrono::milliseconds limit);

} // namespace lw
