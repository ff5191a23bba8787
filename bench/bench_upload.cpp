// Sends files to an FTP server with the program's uploader, as Generate does with FTP upload on.
// Usage: bench_upload HOST PORT USER REMOTE_FOLDER FILE...   (the password in $LW_BENCH_PASSWORD)
#include "pictures/curl_upload.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 6) {
        std::fputs("usage: bench_upload HOST PORT USER REMOTE_FOLDER FILE...\n", stderr);
        return 2;
    }
    lw::UploadRequest request;
    request.account = {arguments[1], arguments[3], qEnvironmentVariable("LW_BENCH_PASSWORD"), arguments[4],
                       arguments[2]};
    request.passive = true;
    for (qsizetype k = 5; k < arguments.size(); ++k)
        request.items.append({int(k - 5), arguments[k], {}, QFileInfo(arguments[k]).fileName()});

    lw::CurlUpload upload;
    QObject::connect(&upload, &lw::PictureUpload::finished, &app,
                     [](bool ok, const QString&, const QString& text) {
                         if (!ok)
                             std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
                         QCoreApplication::exit(ok ? 0 : 1);
                     });
    QTimer::singleShot(0, &upload, [&] { upload.start(request); });
    return app.exec();
}
