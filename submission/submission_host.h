#pragma once

// The boundary between the program and the submission module, which the program loads only when
// the submission window is first needed. Both sides see only these abstract classes, value
// structs and std::function: the module holds none of the program's models or QObject types.

#include "core/desktop_services.h"
#include "core/models/submission_account.h"

#include <QString>

#include <functional>

class QWidget;

namespace lw {

// How a generation for the description field ended.
enum class DescriptionOutcome
{
    Generated,
    // The picture upload failed or was aborted; its own message has been shown.
    UploadAborted,
    // The weight check refused the ad, the generation failed, or one was already running; any
    // message has been shown by Generate.
    Refused,
};

// What the submission window needs of the program.
class SubmissionHost
{
public:
    virtual ~SubmissionHost() = default;

    virtual DesktopServices& desktop() = 0;
    virtual QString installFolder() const = 0;
    virtual QString defaultSellingUrl() const = 0;
    virtual QString supportEmail() const = 0;
    virtual QString auctionHome() const = 0;

    // eBaycfg.txt: read again (load_eBayPrefs), and every change written at once (save_eBayPrefs).
    virtual SubmissionAccount loadAccount() = 0;
    virtual void saveAccount(const SubmissionAccount& account) = 0;
    // Characters the stored password's shift can give back.
    virtual bool passwordCharAllowed(QChar c) const = 0;
    // The password is kept in the desktop keyring (else scrambled in eBaycfg.txt, readable by the
    // seller alone); `changed` is called whenever that changes, until it is replaced.
    virtual bool passwordInKeyring() const = 0;
    virtual void watchPasswordHome(std::function<void()> changed) = 0;

    virtual QString adTitle() const = 0;
    // chkFTPAccess and txtWebURL of the preferences.
    virtual bool ftpUploadOn() const = 0;
    virtual QString webImageAddress() const = 0;
    // Generate in submission mode: the pictures uploaded when FTP upload is on, the page put on
    // the clipboard, no "generated" message. `done` is called once, later or before this returns.
    virtual void generateForSubmission(std::function<void(DescriptionOutcome, const QString& page)> done) = 0;

    // MainPictureChoice / GalleryPictureChoice.
    virtual QString pictureChoice(bool gallery) const = 0;
    virtual void clearPictureChoice(bool gallery) = 0;
    // Sets PickingGallery and shows the picture window with its Select buttons.
    virtual void openPicturePicker(bool gallery) = 0;

    // The preferences, About, template customisation and picture windows and the main window.
    virtual void hideOtherWindows() = 0;
    virtual void showMainWindow() = 0;

    virtual bool updateAvailable() const = 0;
    virtual void setUpdateAvailable(bool available) = 0;
    // The submission window's update check; `automatic` runs it only when one is due. `checked`
    // comes before the outcome's message, `finished` after it (updpr.dat written). False when no
    // check started (not due, or the no-connection message was shown).
    virtual bool startUpdateCheck(bool automatic, std::function<void(bool available)> checked,
                                  std::function<void(bool available)> finished) = 0;
    virtual void downloadUpdates() = 0;
    // updpr.dat := now.
    virtual void writeUpdateDate() = 0;
};

// The submission window as the program sees it.
class SubmissionWindow
{
public:
    virtual ~SubmissionWindow() = default;

    virtual QWidget* widget() = 0;
    // mnuSubmitAd: shown modeless (loaded again when it was closed).
    virtual void showWindow() = 0;
    // The picture window's Select hands the picked picture over through this.
    virtual void cmdInsertPicture_Click(int index) = 0;
};

// The module's one exported function: a new window owned by the caller.
using CreateSubmissionWindow = SubmissionWindow* (*)(SubmissionHost& host, QWidget* parent);
inline constexpr char CreateSubmissionWindowSymbol[] = "lw_create_submission_window";

} // namespace lw
