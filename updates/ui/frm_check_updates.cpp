#include "updates/ui/frm_check_updates.h"

#include "core/models/shared_state.h"
#include "support/ui/form_support.h"
#include "updates/ui/ui_frm_check_updates.h"

using namespace Qt::StringLiterals;

namespace lw {

frmCheckUpdates::frmCheckUpdates(SharedState& state, DesktopServices& ds, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmCheckUpdates>()), m_state(state),
      m_check(state, ds, UpdateWindow::CheckUpdates)
{
    m_ui->setupUi(this);
    new OwnedWindowWatcher(this);
    connect(m_ui->cmdCheckUpdates, &QPushButton::clicked, this, &frmCheckUpdates::cmdCheckUpdates_Click);
    connect(m_ui->cmdDownloadUpdates, &QPushButton::clicked, this,
            &frmCheckUpdates::cmdDownloadUpdates_Click);
    // A check leaves Check grey when it found an update, for Download is the next step then.
    connect(&m_check, &UpdateCheck::checked, this,
            [this](bool available) { setButtons(!available, available); });
    Form_Load();
}

frmCheckUpdates::~frmCheckUpdates() = default;

void frmCheckUpdates::Form_Load()
{
    const bool available = m_state.updates.updateAvailable;
    setButtons(!available, available);
}

void frmCheckUpdates::showFromHelpMenu()
{
    m_ui->Label1->setText(
        u"To check for Listwright updates, ensure you are connected to the Internet and then click on the "
        u"button titled, 'Check For Updates' below.\n\n  If an update is available, you will be able to "
        u"download and install it by clicking the 'Download Updates' button."_s);
    m_ui->cmdCheckUpdates->show();
    m_ui->cmdDownloadUpdates->show();
    show();
    raise();
    activateWindow();
}

void frmCheckUpdates::cmdCheckUpdates_Click()
{
    if (m_check.start())
        setButtons(false, m_ui->cmdDownloadUpdates->isEnabled());
}

void frmCheckUpdates::cmdDownloadUpdates_Click()
{
    m_check.download();
}

void frmCheckUpdates::setButtons(bool checkEnabled, bool downloadEnabled)
{
    const std::pair<QPushButton*, bool> buttons[] = {{m_ui->cmdCheckUpdates, checkEnabled},
                                                     {m_ui->cmdDownloadUpdates, downloadEnabled}};
    for (const auto& [button, enabled] : buttons) {
        button->setEnabled(enabled);
        button->setStyleSheet(swatchStyle(enabled ? 0xFFFFFF : 0xE0E0E0));
    }
}

} // namespace lw
