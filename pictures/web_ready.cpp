#include "pictures/web_ready.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// Orientations 5 to 8 turn the picture a quarter: its width becomes its height.
bool turnsQuarter(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

PictureFormat webFormat(const PictureFacts& facts)
{
    switch (facts.format) {
    case PictureFormat::Gif:
        return facts.alpha || facts.pages > 1 ? PictureFormat::Gif : PictureFormat::Jpeg;
    default:
        return facts.alpha ? PictureFormat::Png : PictureFormat::Jpeg;
    }
}

QString withExtension(const QString& fileName, PictureFormat format)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    const QStringList own = format == PictureFormat::Jpeg  ? QStringList{u"jpg"_s, u"jpeg"_s, u"jpe"_s}
                            : format == PictureFormat::Png ? QStringList{u"png"_s}
                                                           : QStringList{u"gif"_s};
    if (own.contains(suffix))
        return fileName;
    const QString stem = suffix.isEmpty() ? fileName : fileName.left(fileName.size() - suffix.size() - 1);
    return stem + u'.' + own.first();
}

QString pixels(int width, int height)
{
    return QString::number(width) + u'\u00D7' + QString::number(height);
}

} // namespace

WebPlan webPlan(const PictureFacts& facts, const QString& fileName, int longestSide)
{
    WebPlan plan;
    plan.remoteName = fileName;
    plan.width = turnsQuarter(facts.orientation) ? facts.height : facts.width;
    plan.height = turnsQuarter(facts.orientation) ? facts.width : facts.height;
    if (!facts.readable)
        return plan;
    const int longest = std::max(plan.width, plan.height);
    const bool fits = longest <= longestSide;
    if (fits && facts.format != PictureFormat::Other && facts.orientation == 1 && !facts.convertColour)
        return plan;
    plan.asIs = false;
    plan.wanted = {webFormat(facts), longestSide};
    if (!fits) {
        // As the engine rounds: the longest side exactly the limit, the other in proportion.
        const double scale = double(longestSide) / longest;
        plan.width = std::max(1, qRound(plan.width * scale));
        plan.height = std::max(1, qRound(plan.height * scale));
    }
    plan.remoteName = withExtension(fileName, plan.wanted.format);
    return plan;
}

PictureNote pictureNote(const PictureFacts& facts, bool exists, qint64 bytes, const WebPlan& plan,
                        bool prepared)
{
    if (!exists)
        return {u"File not found"_s, true};
    if (!facts.readable)
        return {u"Not a picture Listwright can read"_s, true};
    const QString size = pixels(facts.width, facts.height);
    if (std::max(facts.width, facts.height) < MinimumLongestSide)
        return {u"Only %1: the site wants %2 px"_s.arg(size).arg(MinimumLongestSide), true};
    QString text = size + u", "_s + QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
    if (prepared && !plan.asIs)
        text += u" \u2192 "_s + pixels(plan.width, plan.height);
    return {text, false};
}

} // namespace lw
