#include "submission/submission_settings.h"

#include "core/hosts.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/text_file.h"
#include "settings/password_shift.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lw {

QString submissionSettingsPath()
{
    return installPath(u"eBaycfg.txt"_s);
}

bool parseNotePending(const QString& line)
{
    if (const auto f = parseFlag(line))
        return *f;
    if (const auto n = parseNumber(line))
        return *n != 0;
    return true;
}

void load_eBayPrefs(SharedState& state)
{
    const QString path = submissionSettingsPath();
    if (!QFileInfo::exists(path))
        writeTextLines(path, {QString(), QString(), Hosts::current().defaultSellingUrl(), u"true"_s}, nullptr,
                       true);
    const TextReadResult file = readTextLines(path);
    const QStringList& l = file.lines;
    auto at = [&l](int line) { return line <= l.size() ? l.at(line - 1) : QString(); };
    SubmissionState& s = state.submission;
    s.descriptionNotePending = l.size() >= 4 ? parseNotePending(at(4)) : true;
    s.userName = at(1);
    s.sellingUrl = at(3);
    s.password = unscramblePassword(at(2));
    // The window's boxes write the file on every change; a load ends with the file as read.
    save_eBayPrefs(state);
}

bool save_eBayPrefs(const SharedState& state, QString* error)
{
    const SubmissionState& s = state.submission;
    return writeTextLines(submissionSettingsPath(),
                          {s.userName,
                           scramblePassword(s.password, QString::fromLatin1(SubmissionPasswordMarker)),
                           s.sellingUrl, flagText(s.descriptionNotePending)},
                          error, true);
}

} // namespace lw
