#pragma once

#include "submission/submission_host.h"

#include <functional>
#include <memory>

namespace lw {

class Program;
class SharedState;
class UpdateCheck;

// The program's side of the submission module: the models, the generation, the picture window
// and the update check, handed over as plain values and callbacks.
class SubmissionLink : public SubmissionHost
{
public:
    struct Windows
    {
        std::function<void()> hideOthers;
        std::function<void()> showMain;
        std::function<void()> showPicker;
    };

    SubmissionLink(Program& program, DesktopServices& ds, Windows windows);
    ~SubmissionLink() override;

    DesktopServices& desktop() override { return m_ds; }
    QString installFolder() const override;
    QString defaultSellingUrl() const override;
    QString supportEmail() const override;
    QString auctionHome() const override;
    SubmissionAccount loadAccount() override;
    void saveAccount(const SubmissionAccount& account) override;
    bool passwordCharAllowed(QChar c) const override;
    bool passwordInKeyring() const override;
    void watchPasswordHome(std::function<void()> changed) override;
    QString adTitle() const override;
    bool ftpUploadOn() const override;
    QString webImageAddress() const override;
    void generateForSubmission(std::function<void(DescriptionOutcome, const QString&)> done) override;
    QString pictureChoice(bool gallery) const override;
    void clearPictureChoice(bool gallery) override;
    void openPicturePicker(bool gallery) override;
    void hideOtherWindows() override { m_windows.hideOthers(); }
    void showMainWindow() override { m_windows.showMain(); }
    bool updateAvailable() const override;
    void setUpdateAvailable(bool available) override;
    bool startUpdateCheck(bool automatic, std::function<void(bool)> checked,
                          std::function<void(bool)> finished) override;
    void downloadUpdates() override;
    void writeUpdateDate() override;

    UpdateCheck& updateCheck() { return *m_check; }

private:
    Program& m_program;
    SharedState& m_state;
    DesktopServices& m_ds;
    Windows m_windows;
    std::unique_ptr<UpdateCheck> m_check;
    std::function<void(bool)> m_checked;
    std::function<void(bool)> m_finished;
    std::function<void()> m_passwordHomeChanged;
    // The last save of the account failed and the seller has been told.
    bool m_accountUnsaved = false;
};

} // namespace lw
