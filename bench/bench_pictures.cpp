// Pictures ready for the web, for bench/pictures.sh.
//   bench_pictures make DIR            ten 6000x4000 phone photos (orientation 6, GPS) in DIR
//   bench_pictures ours OUT FILE...    prepared by the program's engine (the preparation job, two
//                                      cores), the copies kept in OUT
//   bench_pictures magick OUT FILE...  ImageMagick's convert on each, one after the other
// Each prints one line: milliseconds, peak added memory in MB, bytes in, bytes out, processor
// milliseconds (all cores).
#include "pictures/picture_engine_loader.h"
#include "pictures/picture_preparation.h"
#include "pictures/web_ready.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <exiv2/exiv2.hpp>
#include <sys/resource.h>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

qint64 statusKb(const char* field)
{
    QFile status(u"/proc/self/status"_s);
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

qint64 bytesOf(const QStringList& files)
{
    qint64 total = 0;
    for (const QString& f : files)
        total += QFileInfo(f).size();
    return total;
}

qint64 processorMs(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto ms = [](const timeval& t) { return qint64(t.tv_sec) * 1000 + t.tv_usec / 1000; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void report(qint64 ms, double peakMb, qint64 in, qint64 out, qint64 cpuMs)
{
    std::printf("%lld %.1f %lld %lld %lld\n", static_cast<long long>(ms), peakMb, static_cast<long long>(in),
                static_cast<long long>(out), static_cast<long long>(cpuMs));
}

int make(const QString& dir)
{
    QDir().mkpath(dir);
    const QString base = dir + u"/base.jpg"_s;
    // Photograph-like detail: a fractal landscape, enlarged, with the grain of a phone's sensor.
    if (QProcess::execute(u"convert"_s, {u"-seed"_s, u"7"_s, u"-size"_s, u"1500x1000"_s, u"plasma:fractal"_s,
                                         u"-resize"_s, u"6000x4000!"_s, u"-attenuate"_s, u"0.2"_s,
                                         u"+noise"_s, u"Gaussian"_s, u"-quality"_s, u"90"_s, base}) != 0)
        return 1;
    for (int k = 0; k < 10; ++k) {
        const QString photo = dir + u"/IMG_%1.jpg"_s.arg(4200 + k);
        QFile::remove(photo);
        QFile::copy(base, photo);
        auto image = Exiv2::ImageFactory::open(photo.toStdString());
        image->readMetadata();
        image->exifData()["Exif.Image.Orientation"] = uint16_t(6);
        image->exifData()["Exif.Image.Make"] = "PhoneMaker";
        image->exifData()["Exif.GPSInfo.GPSLatitudeRef"] = "N";
        image->exifData()["Exif.GPSInfo.GPSLatitude"] = Exiv2::URational(51, 1);
        image->writeMetadata();
    }
    QFile::remove(base);
    return 0;
}

int ours(const QString& out, const QStringList& files)
{
    QDir().mkpath(out);
    QString error;
    if (!lw::pictureEngine(&error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QList<lw::UploadItem> items;
    for (const QString& f : files)
        items.append({int(items.size()), f, {}, QFileInfo(f).fileName()});
    lw::PicturePreparation preparation;
    bool ok = false;
    QObject::connect(&preparation, &lw::PicturePreparation::finished, [&ok](bool done) {
        ok = done;
        QCoreApplication::quit();
    });
    // The peak is counted from here (5 resets it): the engine is loaded, nothing is prepared yet.
    {
        QFile reset(u"/proc/self/clear_refs"_s);
        if (reset.open(QIODevice::WriteOnly))
            reset.write("5");
    }
    const qint64 before = statusKb("VmRSS:");
    const qint64 cpuBefore = processorMs(RUSAGE_SELF);
    QElapsedTimer clock;
    clock.start();
    preparation.start(items, lw::DefaultLongestSide);
    QCoreApplication::exec();
    const qint64 ms = clock.elapsed();
    const qint64 cpu = processorMs(RUSAGE_SELF) - cpuBefore;
    const qint64 peak = statusKb("VmHWM:");
    QStringList sent;
    for (const lw::UploadItem& item : preparation.items()) {
        const QString kept = out + u'/' + item.remoteName;
        QFile::remove(kept);
        QFile::copy(item.localPath, kept);
        sent << kept;
    }
    report(ms, (peak - before) / 1024.0, bytesOf(files), bytesOf(sent), cpu);
    return ok ? 0 : 1;
}

int magick(const QString& out, const QStringList& files)
{
    QDir().mkpath(out);
    QStringList sent;
    QElapsedTimer clock;
    clock.start();
    for (const QString& f : files) {
        sent << out + u'/' + QFileInfo(f).fileName();
        if (QProcess::execute(u"convert"_s, {f, u"-auto-orient"_s, u"-resize"_s, u"1600x1600>"_s, u"-strip"_s,
                                             u"-quality"_s, u"85"_s, sent.last()}) != 0)
            return 1;
    }
    const qint64 ms = clock.elapsed();
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    report(ms, children.ru_maxrss / 1024.0, bytesOf(files), bytesOf(sent), processorMs(RUSAGE_CHILDREN));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const QString mode = arguments.value(0);
    if (mode == u"make" && arguments.size() == 2)
        return make(arguments[1]);
    if ((mode == u"ours" || mode == u"magick") && arguments.size() > 2) {
        const QString out = arguments[1];
        arguments = arguments.mid(2);
        return mode == u"ours" ? ours(out, arguments) : magick(out, arguments);
    }
    std::fputs("usage: bench_pictures make DIR | ours OUT FILE... | magick OUT FILE...\n", stderr);
    return 2;
}
