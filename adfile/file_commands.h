#pragma once

#include <QString>

#include <functional>

namespace lw {

class SharedState;
class DesktopServices;

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
    // When the ad has unsaved changes: "Save Changes?", and Yes saves. False when
    // the seller cancelled; yesSaved tells whether Yes was the answer.
    bool offerToSave(bool* yesSaved = nullptr);

    // The window gives the title box the focus where the commands ask for it.
    std::function<void()> focusTitle;

private:
    void apply(const struct AdFileData& d, const QString& path);

    SharedState& m_state;
    DesktopServices& m_ds;
    std::function<void()> m_newFile;
};

// The ad as it goes into a file.
struct AdFileData adFileFromState(const SharedState& state);

} // namespace lw
