#pragma once

#include "editor/editor_commands.h"
#include "editor/text_box.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAbstractButton;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace Ui {
class frmMain;
}

namespace lw {

class ControlResizer;
class DesktopServices;
class frmAbout;
class frmCheckRules;
class frmCheckUpdates;
class frmCustomizeTemplate;
class frmFTPStatus;
class frmImgs;
class frmPreferences;
class frmSpellCheck;
class PreviewLink;
class PreviewWindow;
class Program;
class RulesCheck;
class SharedState;
class SpellAsYouType;
class SpellCheck;
class Speller;
class WindowPlaces;
class SubmissionLink;
class SubmissionWindow;

// The ad editor. Its controls are bound to the shared models both ways; the
// commands behind its buttons and menus live in Program, FileCommands and
// EditorCommands, so the window only wires them up.
class frmMain : public QMainWindow, public TextBoxAccess
{
    Q_OBJECT
public:
    frmMain(Program& program, DesktopServices& ds, QWidget* parent = nullptr);
    ~frmMain() override;

    // The start-up of the window: the program's start-up routine, then the
    // command-line ad.
    void Form_Load(const QString& commandLine);

    TextBoxState textBox(TextBox which) const override;
    void setTextBox(TextBox which, const TextBoxState& state) override;

    // Cut, Copy and Paste on the control that has the focus.
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    // A toolbar click, dispatched on the button's key.
    void tlbMain_ButtonClick(const QString& key);
    void mnuCheckSpelling_Click();

    EditorCommands& editor() { return *m_editor; }
    SpellAsYouType& spelling() { return *m_spellAsYouType; }

    // The other windows: created on first use, afterwards only shown and hidden.
    frmPreferences& preferencesWindow();
    frmImgs& picturesWindow();
    frmCustomizeTemplate& customizeWindow();
    frmSpellCheck& spellingWindow();
    frmAbout& aboutWindow();
    frmCheckUpdates& checkUpdatesWindow();
    frmCheckRules& checkRulesWindow();
    void showPreferences(int tab);
    void showPictures();
    void showCustomizeTemplate();
    void showAbout();
    void mnuHelpUpdates_Click();
    void mnuOptionsCheckRules_Click();

    // Restores the windows' places and the file dialogs' folders from an earlier run and keeps them
    // there when the program ends.
    void usePlaces(WindowPlaces& places);
    // The windows that were open when the program last ended and open again (the live preview).
    void reopenWindows();
    // The submission window, its module loaded the first time; nullptr (after a message) when
    // the module cannot be loaded.
    SubmissionWindow* submissionWindow();
    void mnuSubmitAd_Click();
    // The live preview, its module loaded the first time; nullptr when the module cannot be loaded
    // (after a message saying why, unless `quiet`).
    PreviewWindow* livePreview(bool quiet = false);
    void mnuOptionsLivePreview_Click();
    // The status line says so while no recovery copy of the ad can be kept; empty: it can again.
    void showRecoveryProblem(const QString& why);

Q_SIGNALS:
    // The seller closed the window and answered its questions: the program ends.
    void closed();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setIcons();
    void connectMenus();
    void connectToolbar();
    void connectControls();
    void bindModels();
    void refreshText(int field);
    void refreshColors();
    void refreshEffects();
    void refreshEmoticon();
    void refreshWeightFields();
    void openHelpPage(const QString& page);
    void openWebsite();
    void shareWidth();
    void placeOwned(QWidget* window);
    void rememberPlaces();
    // The status line tells how much of the generated ad the site would reject.
    void showCheckStatus();
    // Shown while either of its messages has something to say.
    void fitStatusLine();

    std::unique_ptr<Ui::frmMain> m_ui;
    Program& m_program;
    SharedState& m_state;
    DesktopServices& m_ds;
    std::unique_ptr<EditorCommands> m_editor;
    // The dictionary serves the check and the underlining, so it outlives both.
    std::unique_ptr<Speller> m_speller;
    std::unique_ptr<SpellCheck> m_spellCheck;
    std::unique_ptr<SpellAsYouType> m_spellAsYouType;
    std::unique_ptr<frmSpellCheck> m_spellWindow;
    std::unique_ptr<frmAbout> m_about;
    std::unique_ptr<ControlResizer> m_resizer;
    std::unique_ptr<frmPreferences> m_preferences;
    std::unique_ptr<frmImgs> m_pictures;
    std::unique_ptr<frmCustomizeTemplate> m_customize;
    std::unique_ptr<frmFTPStatus> m_ftpStatus;
    std::unique_ptr<frmCheckUpdates> m_checkUpdates;
    WindowPlaces* m_places = nullptr;
    // The width the right-hand column has taken from the description beyond WideArea.
    int m_rightExtra = 0;
    std::unique_ptr<RulesCheck> m_rulesCheck;
    std::unique_ptr<frmCheckRules> m_checkRules;
    QLabel* m_checkStatus = nullptr;
    QLabel* m_recoveryStatus = nullptr;
    // The description as the box shows it, in the model's form.
    QString m_descriptionShown;
    std::unique_ptr<SubmissionLink> m_submissionLink;
    std::unique_ptr<SubmissionWindow> m_submission;
    std::unique_ptr<PreviewLink> m_preview;
    // Controls addressed by index, in the order of the model's fields.
    std::array<QComboBox*, 3> m_sizes{};
    std::array<QLabel*, 4> m_swatches{};
    std::array<QAbstractButton*, 4> m_pickers{};
    std::array<QLineEdit*, 6> m_optional{}; // condition, age, comments, shipping, pounds, ounces
    std::array<QAction*, 8> m_effects{};
    // The system's control array cmdQuickColor(0..11).
    std::array<QToolButton*, 12> cmdQuickColor{};
};

} // namespace lw
