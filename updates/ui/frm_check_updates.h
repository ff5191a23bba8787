#pragma once

#include "updates/update_check.h"

#include <QDialog>

#include <memory>

namespace Ui {
class frmCheckUpdates;
}

namespace lw {

class DesktopServices;
class SharedState;

// Help, Check For Updates: the update window, created once and afterwards shown and hidden.
class frmCheckUpdates : public QDialog
{
    Q_OBJECT
public:
    frmCheckUpdates(SharedState& state, DesktopServices& ds, QWidget* parent = nullptr);
    ~frmCheckUpdates() override;

    // The Help menu's entry: the instructions, both buttons, the window shown modeless.
    void showFromHelpMenu();
    void cmdCheckUpdates_Click();
    void cmdDownloadUpdates_Click();
    // Tells when the Updater runs and the program must end.
    UpdateCheck& check() { return m_check; }

private:
    void Form_Load();
    // White for the button the seller may use next, grey for the other.
    void setButtons(bool checkEnabled, bool downloadEnabled);

    std::unique_ptr<Ui::frmCheckUpdates> m_ui;
    SharedState& m_state;
    UpdateCheck m_check;
};

} // namespace lw
