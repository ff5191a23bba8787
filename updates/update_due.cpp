#include "updates/update_due.h"

#include "core/models/shared_state.h"
#include "core/text_file.h"
#include "core/user_files.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lw {

namespace {
const QString& dateFormat()
{
    static const QString f = u"yyyy-MM-dd HH:mm:ss"_s;
    return f;
}
} // namespace

QString updateDatePath()
{
    return userFileToWrite(u"updpr.dat"_s);
}

QString formatUpdateDate(const QDateTime& when)
{
    return when.toString(dateFormat());
}

bool isUpdateDue(const QString& storedDate, const QDateTime& now)
{
    QDateTime last = QDateTime::fromString(storedDate.trimmed(), dateFormat());
    if (!last.isValid())
        last = QDateTime::fromString(storedDate.trimmed(), Qt::ISODate);
    if (!last.isValid())
        return true;
    return last.date().daysTo(now.date()) > 0;
}

bool computeUpdateCheckDue(const QDateTime& now)
{
    QString path = userFileToRead(u"updpr.dat"_s);
    if (!QFileInfo::exists(path)) {
        path = updateDatePath();
        writeTextLines(path, {formatUpdateDate(now)});
    }
    const TextReadResult file = readTextLines(path);
    return isUpdateDue(file.ok && !file.lines.isEmpty() ? file.lines.first() : QString(), now);
}

void startUpdateState(SharedState& state, const QDateTime& now)
{
    state.updates.updateCheckDue = computeUpdateCheckDue(now);
    state.updates.updateAvailable = false;
    state.updates.programRevision = 5;
}

} // namespace lw
