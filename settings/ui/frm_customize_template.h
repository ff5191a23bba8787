#pragma once

#include <QDialog>
#include <QStringList>

#include <array>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace Ui {
class frmCustomizeTemplate;
}

namespace lw {

class DesktopServices;
class SharedState;

// The table and page backgrounds of the ad. The controls show the shared state's
// table backgrounds and write to them as the seller edits.
class frmCustomizeTemplate : public QDialog
{
    Q_OBJECT
public:
    frmCustomizeTemplate(SharedState& state, DesktopServices& ds, QWidget* parent = nullptr);
    ~frmCustomizeTemplate() override;

    // The seller came to the window: remembers the thirteen values Cancel returns to.
    void Form_Activate();
    void cmdCustomizeOK_Click();
    void cmdCustomizeCancel_Click();
    void cmdCustomizeHelp_Click();
    // i from 1 to 4.
    void cmdTableBackground_Click(int i);
    // i from 0 (the page) to 4.
    void cmdClipboard_Click(int i);
    // Runs the texture state of table i for the check box's value.
    void chkUseTexture_Click(int i);

    // Escape is Cancel.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void refresh(int i);
    void ApplyTextureState(int i);
    void takeSnapshot();

    SharedState& m_state;
    DesktopServices& m_ds;
    std::unique_ptr<Ui::frmCustomizeTemplate> m_ui;
    // Index 0 is the page background; it has no swatch, colour button or switch.
    std::array<QLabel*, 5> m_ShpTableBackground{};
    std::array<QPushButton*, 5> m_cmdTableBackground{};
    std::array<QCheckBox*, 5> m_chkUseTexture{};
    std::array<QLineEdit*, 5> m_txtTableTexture{};
    std::array<QToolButton*, 5> m_cmdClipboard{};
    // Colour values 1-4, texture boxes 0-4, switches 1-4.
    QStringList m_snapshot;
};

} // namespace lw
