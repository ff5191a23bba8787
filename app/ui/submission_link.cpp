#include "app/ui/submission_link.h"

#include "app/program.h"
#include "core/hosts.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/password_shift.h"
#include "core/text_file.h"
#include "submission/submission_settings.h"
#include "updates/update_check.h"
#include "updates/update_due.h"

#include <QDateTime>

#include <utility>

using namespace Qt::StringLiterals;

namespace lw {

SubmissionLink::SubmissionLink(Program& program, DesktopServices& ds, Windows windows)
    : m_program(program), m_state(program.state()), m_ds(ds), m_windows(std::move(windows)),
      m_check(std::make_unique<UpdateCheck>(m_state, ds, UpdateWindow::Submission))
{
    QObject::connect(m_check.get(), &UpdateCheck::checked, m_check.get(), [this](bool available) {
        if (m_checked)
            m_checked(available);
    });
    QObject::connect(m_check.get(), &UpdateCheck::finished, m_check.get(), [this](bool available) {
        if (m_finished)
            m_finished(available);
    });
    QObject::connect(&m_state.passwords, &StoredPasswords::homeChanged, m_check.get(), [this](Secret s) {
        if (s == Secret::Auction && m_passwordHomeChanged)
            m_passwordHomeChanged();
    });
}

SubmissionLink::~SubmissionLink() = default;

QString SubmissionLink::installFolder() const
{
    return lw::installFolder();
}

QString SubmissionLink::defaultSellingUrl() const
{
    return Hosts::current().defaultSellingUrl();
}

QString SubmissionLink::supportEmail() const
{
    return Hosts::current().supportEmail;
}

QString SubmissionLink::auctionHome() const
{
    return Hosts::current().auctionHome;
}

SubmissionAccount SubmissionLink::loadAccount()
{
    load_eBayPrefs(m_state);
    return m_state.submission;
}

void SubmissionLink::saveAccount(const SubmissionAccount& account)
{
    m_state.submission = account;
    QString error;
    const bool saved = save_eBayPrefs(m_state, &error);
    // Saved as the seller types: told once when saving stops working, not at every key.
    if (!saved && !std::exchange(m_accountUnsaved, true))
        m_ds.messageBox(u"Your user name, password and selling address could not be saved to "_s +
                            submissionSettingsPath() + u".\r\n"_s + error +
                            u"\r\n\r\nThey are kept until Listwright closes."_s,
                        MsgIcon::Exclamation, u"Ad Submission Process"_s);
    if (saved)
        m_accountUnsaved = false;
}

bool SubmissionLink::passwordCharAllowed(QChar c) const
{
    return lw::passwordCharAllowed(c);
}

bool SubmissionLink::passwordInKeyring() const
{
    return m_state.passwords.home(Secret::Auction) == PasswordHome::Keyring;
}

void SubmissionLink::watchPasswordHome(std::function<void()> changed)
{
    m_passwordHomeChanged = std::move(changed);
}

QString SubmissionLink::adTitle() const
{
    return m_state.ad.text(AdRecord::Text::Title);
}

bool SubmissionLink::ftpUploadOn() const
{
    return m_state.prefs.flag(Preferences::Field::FtpAccess);
}

QString SubmissionLink::webImageAddress() const
{
    return m_state.prefs.text(Preferences::Field::WebUrl);
}

void SubmissionLink::generateForSubmission(std::function<void(DescriptionOutcome, const QString&)> done)
{
    if (m_program.isGenerating()) {
        done(DescriptionOutcome::Refused, {});
        return;
    }
    // Connections for this one run: the first outcome ends them.
    auto* run = new QObject(&m_program);
    auto uploadFailed = std::make_shared<bool>(false);
    auto finish = [program = &m_program, run, done](DescriptionOutcome outcome, const QString& page) {
        QObject::disconnect(program, nullptr, run, nullptr);
        run->deleteLater();
        done(outcome, page);
    };
    QObject::connect(&m_program, &Program::uploadFailed, run, [uploadFailed] { *uploadFailed = true; });
    QObject::connect(&m_program, &Program::generated, run, [finish](GenerateMode, const QString& page) {
        finish(DescriptionOutcome::Generated, page);
    });
    QObject::connect(&m_program, &Program::failed, run, [finish, uploadFailed] {
        finish(*uploadFailed ? DescriptionOutcome::UploadAborted : DescriptionOutcome::Refused, {});
    });
    m_program.startGenerate(GenerateMode::Submission);
}

QString SubmissionLink::pictureChoice(bool gallery) const
{
    return gallery ? m_state.picks.galleryChoice : m_state.picks.mainChoice;
}

void SubmissionLink::clearPictureChoice(bool gallery)
{
    (gallery ? m_state.picks.galleryChoice : m_state.picks.mainChoice).clear();
}

void SubmissionLink::openPicturePicker(bool gallery)
{
    m_state.picks.pickingGallery = gallery;
    m_windows.showPicker();
}

bool SubmissionLink::updateAvailable() const
{
    return m_state.updates.updateAvailable;
}

void SubmissionLink::setUpdateAvailable(bool available)
{
    m_state.updates.updateAvailable = available;
}

bool SubmissionLink::startUpdateCheck(bool automatic, std::function<void(bool)> checked,
                                      std::function<void(bool)> finished)
{
    if (m_check->isRunning())
        return false;
    m_checked = std::move(checked);
    m_finished = std::move(finished);
    return automatic ? m_check->startWhenDue() : m_check->start();
}

void SubmissionLink::downloadUpdates()
{
    m_check->download();
}

void SubmissionLink::writeUpdateDate()
{
    writeTextLines(updateDatePath(), {formatUpdateDate(QDateTime::currentDateTime())});
}

} // namespace lw
