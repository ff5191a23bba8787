#pragma once

#include "core/models/preferences.h"
#include "pictures/security_probe.h"

#include <QDialog>
#include <QString>
#include <QTimer>
#include <QVariant>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace Ui {
class frmPreferences;
}

namespace lw {

class DesktopServices;
class SharedState;
struct PreferencesWindowState;

// The preferences window: its controls show lw::Preferences and write to it at
// once, so whatever reads the model sees the values on screen. Created once and
// only hidden afterwards.
class frmPreferences : public QDialog
{
    Q_OBJECT
public:
    frmPreferences(SharedState& state, PreferencesWindowState& window, DesktopServices& ds,
                   QWidget* parent = nullptr);
    ~frmPreferences() override;

    // Shows the window (not modally), raises it and selects tab 0, 1 or 2.
    void showOnTab(int tab);
    // The seller came to the window: opening snapshot, opening selection, FTP fields.
    void Form_Activate();
    void cmdPrefOK_Click();
    void cmdPrefCancel_Click();
    void cmdPrefHelp_Click();
    void cmdFTPHelp_Click(int index);
    void cmdTermsColor_Click();

    // Escape is Cancel.
    void reject() override;
    // Asks a plain FTP server's host for safer ways in; tests point it at servers of their own.
    SecurityProbe& securityProbe() { return m_probe; }

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    using Field = Preferences::Field;

    void bindControls();
    void bindModels();

    void refreshField(Field field);
    void refreshAll();
    // Where the FTP password is kept, as it is.
    void refreshPasswordNote();
    void refreshOptions();
    void refreshTemplateList();
    void refreshTemplateSelection();
    void refreshTemplateDisplay();
    void refreshTermsColor();
    void refreshTermsSize();
    void applyFtpRule();
    void applyPassiveRule();
    void refreshServerNotes();
    void applyAuctionsRule();
    void applyCalculatorRule();
    void applyCalculatorChoice();

    SharedState& m_state;
    PreferencesWindowState& m_window;
    DesktopServices& m_ds;
    std::unique_ptr<Ui::frmPreferences> m_ui;

    std::array<QPushButton*, 7> m_cmdFTPHelp{};
    std::vector<QWidget*> m_ftpControls;
    std::vector<QWidget*> m_calculatorControls;
    std::array<QLineEdit*, static_cast<int>(Field::Count)> m_lineEdits{};
    std::array<QCheckBox*, static_cast<int>(Field::Count)> m_checkBoxes{};
    std::array<QComboBox*, static_cast<int>(Field::Count)> m_indexLists{};

    // The controls Cancel puts back (the 24 of settings.txt, then the picture preparation), in order.
    struct SnapshotEntry
    {
        Field field;
        QVariant value;
    };
    std::vector<SnapshotEntry> m_snapshot;
    int m_snapshotSelection = -1;
    bool m_hasSnapshot = false;

    // What the host of the server and port in `m_offersHost` offers, once the probe has said.
    SecurityProbe m_probe;
    QTimer m_probeDelay;
    QString m_offersHost;
    std::optional<SecureOffers> m_offers;
};

} // namespace lw
