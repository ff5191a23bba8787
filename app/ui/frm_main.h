#pragma once

#include "editor/editor_commands.h"
#include "editor/text_box.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolBar;
class QToolButton;

namespace lw {

class ControlResizer;
class DesktopServices;
class frmCustomizeTemplate;
class frmImgs;
class frmPreferences;
class Program;
class SharedState;

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

    TextBoxState textBox(int field) const override;
    void setTextBox(int field, const TextBoxState& state) override;

    // Cut, Copy and Paste on the control that has the focus.
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditPaste_Click();
    // A toolbar click, dispatched on the button's key.
    void tlbMain_ButtonClick(const QString& key);

    EditorCommands& editor() { return *m_editor; }

    // The other windows: created on first use, afterwards only shown and hidden.
    frmPreferences& preferencesWindow();
    frmImgs& picturesWindow();
    frmCustomizeTemplate& customizeWindow();
    void showPreferences(int tab);
    void showPictures();
    void showCustomizeTemplate();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void buildControls(QWidget* area);
    void buildMenus();
    void buildToolbar();
    void bindModels();
    void refreshText(int field);
    void refreshColors();
    void refreshEffects();
    void refreshEmoticon();
    void refreshWeightFields();
    void openHelpPage(const QString& page);
    void openWebsite();
    QAction* addMenuItem(QMenu* menu, const QString& name, const QString& caption,
                         const QKeySequence& keys = {});
    QPushButton* addButton(QWidget* parent, const QString& name, const QString& caption,
                           const QRect& geometry, const QString& tag);

    Program& m_program;
    SharedState& m_state;
    DesktopServices& m_ds;
    std::unique_ptr<EditorCommands> m_editor;
    std::unique_ptr<ControlResizer> m_resizer;
    std::unique_ptr<frmPreferences> m_preferences;
    std::unique_ptr<frmImgs> m_pictures;
    std::unique_ptr<frmCustomizeTemplate> m_customize;
    QWidget* m_area = nullptr;
    QMenu* m_fileMenu = nullptr;
    QToolBar* m_toolbar = nullptr;
    QLineEdit* m_title = nullptr;
    QLineEdit* m_subTitle = nullptr;
    QPlainTextEdit* m_description = nullptr;
    std::array<QComboBox*, 3> m_sizes{};
    std::array<QLabel*, 4> m_swatches{};
    QCheckBox* m_includeOptional = nullptr;
    std::array<QLineEdit*, 6> m_optional{}; // condition, age, comments, shipping, pounds, ounces
    QLabel* m_poundsLabel = nullptr;
    QLabel* m_ouncesLabel = nullptr;
    QToolButton* m_emoticon = nullptr;
    QComboBox* m_letterStyles = nullptr;
    std::array<QAction*, 8> m_effects{};
};

} // namespace lw
