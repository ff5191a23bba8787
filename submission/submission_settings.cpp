#include "submission/submission_settings.h"

#include "core/hosts.h"
#include "core/models/shared_state.h"
#include "core/text_file.h"
#include "core/user_files.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lw {

LineTable<SubmissionAccount> submissionTable()
{
    using A = SubmissionAccount;
    LineTable<A> t;
    t.passwordMarker = u"Rd5k3hwy8"_s;
    // A short file is damaged: what is missing reads as empty, the note as still to come.
    t.ifMissing = IfMissing::Empty;
    t.add(
         1, [](A& a) -> LineValue { return &a.userName; }, LineKind::Text)
        .add(
            2, [](A& a) -> LineValue { return &a.password; }, LineKind::Password)
        .add(
            3, [](A& a) -> LineValue { return &a.sellingUrl; }, LineKind::Text,
            Hosts::current().defaultSellingUrl())
        .add(
            4, [](A& a) -> LineValue { return &a.descriptionNotePending; }, LineKind::LooseFlag, u"true"_s);
    return t;
}

QString submissionSettingsPath()
{
    return userFileToWrite(u"eBaycfg.txt"_s);
}

void load_eBayPrefs(SharedState& state)
{
    QString path = userFileToRead(u"eBaycfg.txt"_s);
    const LineTable<SubmissionAccount> table = submissionTable();
    if (!QFileInfo::exists(path)) {
        path = submissionSettingsPath();
        writeTextLines(path, firstRunLines(table), nullptr, true);
    }
    SubmissionAccount account = firstRunValues(table);
    readLineTable(table, readTextLines(path).lines, account);
    account.password = state.passwords.fromLine(Secret::Auction, account.password);
    state.submission = account;
    // The window's boxes write the file on every change; a load ends with the file as read.
    save_eBayPrefs(state);
}

bool save_eBayPrefs(SharedState& state, QString* error)
{
    const LineTable<SubmissionAccount> table = submissionTable();
    QStringList lines = writeLineTable(table, state.submission);
    if (!state.passwords.keepsLine(Secret::Auction, state.submission.password))
        lines[passwordLine(table) - 1].clear();
    return writeTextLines(submissionSettingsPath(), lines, error, true);
}

} // namespace lw
