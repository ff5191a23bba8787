#pragma once

#include "pictures/picture_engine.h"

#include <QDialog>
#include <QStringList>
#include <QThreadPool>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace Ui {
class frmImgs;
}

namespace lw {

class DesktopServices;
class SharedState;

// The picture window: its ten boxes show the picture list and the thumbnail size
// of the shared state and write to them as the seller edits.
class frmImgs : public QDialog
{
    Q_OBJECT
public:
    static constexpr int SlotCount = 10;

    frmImgs(SharedState& state, DesktopServices& ds, QWidget* parent = nullptr);
    ~frmImgs() override;

    // The seller came to the window: the labels refresh and the slots are remembered for Cancel.
    void Form_Activate();
    void cmdPrefOK_Click();
    void cmdPrefCancel_Click();
    void cmdPrefHelp_Click();
    void cmdBrowse_Click(int i);
    void cmdClipboard_Click(int i);
    void cmdChangeOr_Click();
    void cmdCustomSize_Click();
    // Picking mode for the submission window: a Select button beside every usable slot.
    void showPicking();
    void cmdSelectPic_Click(int i);
    // Select hands the choice to the submission window: true for the gallery picture.
    std::function<void(bool gallery)> pictureSelected;

    // Escape is Cancel.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void bindModels();
    void refreshSlotText(int i);
    void refreshSlotState(int i);
    void refreshThumbSize();
    void hideSelectButtons();
    // The line beside a slot: what the picture is and what will be sent, or what is wrong with it.
    // Its header is read off the window's thread, only while the window is shown.
    void lookAtPicture(int i);
    void refreshNote(int i);

    // A picture's header as last read, for the file it was read from.
    struct Look
    {
        QString path;
        bool exists = false;
        qint64 bytes = 0;
        PictureFacts facts;
        // The header has been read (the engine could be loaded).
        bool read = false;
        quint64 asked = 0;
    };

    SharedState& m_state;
    DesktopServices& m_ds;
    std::unique_ptr<Ui::frmImgs> m_ui;
    std::array<QLabel*, SlotCount> m_lblImg{};
    std::array<QLineEdit*, SlotCount> m_txtImage{};
    std::array<QToolButton*, SlotCount> m_cmdClipboard{};
    std::array<QPushButton*, SlotCount> m_cmdBrowse{};
    std::array<QPushButton*, SlotCount> m_cmdSelectPic{};
    std::array<QLabel*, SlotCount> m_lblInfo{};
    std::array<std::optional<Look>, SlotCount> m_looks;
    quint64 m_asked = 0;
    // Reads the headers; waits for them when the window goes, so no read outlives the program.
    QThreadPool m_readers;
    QStringList m_snapshot;
};

} // namespace lw
