#pragma once

#include <QString>

#include <functional>

namespace lw {

class SharedState;
class DesktopServices;
struct AdFileData;

inline constexpr auto AdFileFilter = "Auction Ad Files|*.zad";

// New, Open, Save and Save As of the File menu.
class FileCommands
{
public:
    // newFile resets the editor to a new ad (the main window's new_file).
    FileCommands(SharedState& state, DesktopServices& ds, std::function<void()> newFile);

    // True when the ad was written.
    bool mnuFileSave_Click();
    bool mnuFileSaveAs_Click();
    // True when an ad file was read into the editor.
    bool mnuFileOpen_Click();
    void mnuFileNew_Click();
    // Reads the ad file at path into the editor: Open after its dialog, and start-up.
    bool openAd(const QString& path);
    // A recovery copy back in the editor: bound to the ad file it belongs to ("" for one never
    // saved) and unsaved, so that Save writes where the seller expects.
    void restore(const AdFileData& d, const QString& adPath);

    enum class SaveOffer
    {
        NothingToSave,
        Saved,
        NotSaved,
        Cancelled
    };
    // When the ad has unsaved changes: "Save Changes?", and Yes saves. A save that did not
    // happen (its dialog cancelled, the disk full) is Cancelled, so no work is lost.
    SaveOffer offerToSave();
    // False when the seller's work must stay: the closing question was cancelled.
    bool queryClose();

    // The window gives the title box the focus where the commands ask for it.
    std::function<void()> focusTitle;

private:
    bool save(bool askForName);
    void apply(const AdFileData& d, const QString& path);
    void giveTitleFocus();

    SharedState& m_state;
    DesktopServices& m_ds;
    std::function<void()> m_newFile;
};

// The ad as it goes into a file.
AdFileData adFileFromState(const SharedState& state);
// A name that does not end in ".zad" (any case) gets it, so the Open dialog shows the file again:
// "lamp.v2" becomes "lamp.v2.zad".
QString withAdExtension(const QString& path);

} // namespace lw
