#pragma once

#include "pictures/picture_upload.h"

#include <chrono>
#include <memory>

namespace lw {

// Sends the pictures with libcurl on a thread of its own, so the window keeps answering: plain
// FTP, FTP over explicit TLS or SFTP, as the server text says. Certificates are checked against
// the system's authorities plus those of the PEM file $LISTWRIGHT_CA_FILE names; SFTP host keys
// are trusted on first use and kept in the user's data folder ("listwright/known_hosts").
class CurlUpload : public PictureUpload
{
    Q_OBJECT
public:
    // A server that has not answered this long is given up; so is a transfer in which nothing
    // moved (less than a byte a second) this long.
    static constexpr int ConnectTimeoutSeconds = 30;
    static constexpr int StallTimeoutSeconds = 60;

    explicit CurlUpload(QObject* parent = nullptr);
    ~CurlUpload() override;

    void abort() override;
    // Tests shorten the time-outs; an upload keeps those of its start.
    void setTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds stall);

protected:
    void startUpload(const UploadRequest& request) override;

private:
    class Run;
    void runEnded(bool ok, const QString& text);

    std::chrono::milliseconds m_connectTimeout{std::chrono::seconds(ConnectTimeoutSeconds)};
    std::chrono::milliseconds m_stallTimeout{std::chrono::seconds(StallTimeoutSeconds)};
    std::unique_ptr<Run> m_run;
    // Tells the signals of an ended run, still on their way, from those of the current one.
    quint64 m_runCount = 0;
};

} // namespace lw
