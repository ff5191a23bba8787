#include "app/ui/frm_main.h"

#include "app/program.h"
#include "app/ui/submission_link.h"
#include "core/desktop_services.h"
#include "core/hosts.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "editor/spell_check.h"
#include "editor/speller.h"
#include "editor/ui/frm_spell_check.h"
#include "editor/ui/spell_as_you_type.h"
#include "pictures/ui/frm_ftp_status.h"
#include "pictures/ui/frm_imgs.h"
#include "preview/preview_link.h"
#include "settings/template_commands.h"
#include "settings/ui/frm_customize_template.h"
#include "settings/ui/frm_preferences.h"
#include "sitecheck/rules_check.h"
#include "sitecheck/ui/frm_check_rules.h"
#include "submission/submission_loader.h"
#include "support/ui/control_resizer.h"
#include "support/ui/form_support.h"
#include "support/ui/frm_about.h"
#include "support/ui/window_places.h"
#include "ui_frm_main.h"
#include "updates/ui/frm_check_updates.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextDocumentFragment>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

using T = AdRecord::Text;
using E = AdRecord::Effect;
using C = AdRecord::Color;

// The area's design size; the resizer scales the controls from it.
constexpr int AreaWidth = 651;
constexpr int AreaHeight = 392;

// Up to this width the description takes all the room the window gains; beyond it the right-hand
// column takes half of the rest, so the optional boxes show what the seller typed.
constexpr int WideArea = 960;

const std::array<C, 4> ColorOrder = {C::Title, C::SubTitle, C::Description, C::Optional};

} // namespace

frmMain::frmMain(Program& program, DesktopServices& ds, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::frmMain>()), m_program(program),
      m_state(program.state()), m_ds(ds), m_resizer(std::make_unique<ControlResizer>(ds))
{
    m_ui->setupUi(this);
    m_editor = std::make_unique<EditorCommands>(m_state, ds, *this);
    m_speller = std::make_unique<Speller>();
    m_spellCheck = std::make_unique<SpellCheck>(*m_speller, ds, *this);
    m_spellAsYouType = std::make_unique<SpellAsYouType>(*m_speller, ds, m_ui->txtTitle, m_ui->txtSubTitle,
                                                        m_ui->txtDescription);
    connect(m_spellCheck.get(), &SpellCheck::problemFound, this, [this] { spellingWindow().showProblem(); });
    m_sizes = {m_ui->cboTitleSize, m_ui->cboSubTitleSize, m_ui->cboDescriptionSize};
    m_swatches = {m_ui->shpTitleColor, m_ui->ShpSubTitleColor, m_ui->shpDescriptionColor,
                  m_ui->ShpOptionalColor};
    m_pickers = {m_ui->cmdTitleColor, m_ui->cmdSubTitleColor, m_ui->cmdDescriptionColor,
                 m_ui->CmdOptionalColor};
    m_optional = {m_ui->txtCondition, m_ui->txtAge,    m_ui->txtComments,
                  m_ui->txtShipCost,  m_ui->txtPounds, m_ui->txtOunces};
    m_effects = {m_ui->mnuTextTitleScrollL,         m_ui->mnuTextTitleScrollR,
                 m_ui->mnuTextTitleScrollB,         m_ui->mnuTextSubTitleScrollL,
                 m_ui->mnuTextSubTitleScrollR,      m_ui->mnuTextSubTitleScrollB,
                 m_ui->mnuTextDocumentNoRightClick, m_ui->mnuTextDocumentMusic};
    cmdQuickColor = controlArray<QToolButton, 12>(this, u"cmdQuickColor"_s);
    for (int i = 0; i < 9; ++i)
        m_ui->cboAnimatedText->addItem(letterStyleName(i));
    m_ui->Label5->setText(u"<a href=\"#\">"_s + Hosts::current().maker + u"</a>"_s);

    setIcons();
    connectMenus();
    connectToolbar();
    connectControls();
    bindModels();
    setWindowTitle(m_state.caption());

    // The emoticon and letter-image targets follow clicks into the three boxes; mouse clicks
    // reach the description's viewport, not the box itself.
    for (QWidget* box : std::initializer_list<QWidget*>{
             m_ui->txtTitle, m_ui->txtSubTitle, m_ui->txtDescription, m_ui->txtDescription->viewport()})
        box->installEventFilter(this);
    m_ui->frmMainArea->resize(AreaWidth, AreaHeight);
    m_resizer->InitResizer(m_ui->frmMainArea);
    m_ui->frmMainArea->installEventFilter(this);
    // New and Open hand the seller the title box.
    m_program.files().focusTitle = [this] { m_ui->txtTitle->setFocus(); };
    // The status window follows the uploads of Generate from the start on.
    m_ftpStatus = std::make_unique<frmFTPStatus>(this);
    m_ftpStatus->setOneByteSetting(10);
    m_ftpStatus->watch(m_program.pictureUpload(), m_program.picturePreparation(), m_program.addressCheck());

    m_rulesCheck =
        std::make_unique<RulesCheck>(m_state, ds, m_program.preferencesWindow(),
                                     [this](QString* error) { return m_program.generateInput(error); });
    m_checkStatus = new QLabel(m_ui->stbMain);
    m_checkStatus->setObjectName(u"lblCheckStatus"_s);
    m_ui->stbMain->addWidget(m_checkStatus, 1);
    m_recoveryStatus = new QLabel(m_ui->stbMain);
    m_recoveryStatus->setObjectName(u"lblRecoveryStatus"_s);
    m_recoveryStatus->setWordWrap(true);
    m_ui->stbMain->addWidget(m_recoveryStatus, 1);
    m_recoveryStatus->hide();
    // Shown only while it has something to say, so the editor keeps its room.
    m_ui->stbMain->hide();
    connect(m_checkStatus, &QLabel::linkActivated, this, &frmMain::mnuOptionsCheckRules_Click);
    connect(m_rulesCheck.get(), &RulesCheck::checked, this, &frmMain::showCheckStatus);
    // After the seller has read the Generate message; the clipboard and the message stay as they are.
    connect(&m_program, &Program::generated, this, [this](GenerateMode mode, const QString& page) {
        if (mode == GenerateMode::Generate)
            QTimer::singleShot(0, this, [this, page] { m_rulesCheck->checkGenerated(page); });
    });
}

frmMain::~frmMain()
{
    // The spelling underline goes before the box and touches its text on the way: nothing of the
    // window may hear of that any more.
    disconnect(m_ui->txtDescription, nullptr, this, nullptr);
    // The windows go before the links they call.
    m_preview.reset();
    m_submission.reset();
    // The commands outlive the window.
    m_program.files().focusTitle = nullptr;
}

void frmMain::Form_Load(const QString& commandLine)
{
    m_program.startup(commandLine);
    refreshEmoticon();
}

void frmMain::reopenWindows()
{
    if (!m_places || !m_places->wasOpen(u"frmLivePreview"_s))
        return;
    if (PreviewWindow* preview = livePreview(true))
        preview->showWindow();
}

void frmMain::setIcons()
{
    setWindowIcon(QIcon(installPath(u"graphics/Listwright.svg"_s)));
    // Pictures come from the desktop's icon theme or the installation's graphics folder, so they
    // cannot live in the form.
    const struct
    {
        QAbstractButton* button;
        const char16_t* picture;
        QStyle::StandardPixmap fallback;
    } pictures[] = {
        {m_ui->cmdSub1, u"Superscript", QStyle::SP_ArrowUp},
        {m_ui->cmdSub2, u"Subscript", QStyle::SP_ArrowDown},
        {m_ui->cmdAlignCenter, u"AlignCenter", QStyle::SP_ToolBarHorizontalExtensionButton},
        {m_ui->cmdAlignLeft, u"AlignLeft", QStyle::SP_ArrowLeft},
        {m_ui->cmdAlignRight, u"AlignRight", QStyle::SP_ArrowRight},
        {m_ui->Command2, u"Hyperlink", QStyle::SP_FileLinkIcon},
        {m_ui->cmdPicInsert, u"InsertImage", QStyle::SP_FileDialogContentsView},
        {m_ui->cmdPreviousEmoticon, u"ArrowLeft", QStyle::SP_ArrowLeft},
        {m_ui->cmdNextEmoticon, u"ArrowRight", QStyle::SP_ArrowRight},
        // Without a theme these keep their letters.
        {m_ui->CmdBold, u"Bold", QStyle::SP_CustomBase},
        {m_ui->cmdItalic, u"Italic", QStyle::SP_CustomBase},
        {m_ui->cmdUnderline, u"Underline", QStyle::SP_CustomBase},
        {m_ui->cmdStrikeThrough, u"StrikeThrough", QStyle::SP_CustomBase},
        {m_ui->cmdPreFormatted, u"PreFormatted", QStyle::SP_CustomBase},
    };
    for (const auto& p : pictures)
        p.button->setIcon(programIcon(QString::fromUtf16(p.picture), p.fallback, this));

    const struct
    {
        const char16_t* key;
        QStyle::StandardPixmap fallback;
    } tools[] = {
        {u"NewFile", QStyle::SP_FileIcon},
        {u"OpenFile", QStyle::SP_DialogOpenButton},
        {u"SaveFile", QStyle::SP_DialogSaveButton},
        {u"LoadTemplate", QStyle::SP_FileDialogDetailedView},
        {u"InsertPictures", QStyle::SP_DirIcon},
        {u"CustomizeTemplate", QStyle::SP_FileDialogContentsView},
        {u"AdPreferences", QStyle::SP_ComputerIcon},
        {u"CheckSpelling", QStyle::SP_DialogApplyButton},
        {u"PreviewAd", QStyle::SP_FileDialogInfoView},
        {u"LivePreview", QStyle::SP_DesktopIcon},
        {u"GenerateAd", QStyle::SP_DialogYesButton},
        {u"SubmitAd", QStyle::SP_ArrowRight},
    };
    for (QAction* action : m_ui->tlbMain->actions()) {
        const QString key = action->property("key").toString();
        if (key.isEmpty())
            continue;
        // Cut, Copy and Paste have no standard picture to fall back on.
        QStyle::StandardPixmap fallback = QStyle::SP_CustomBase;
        for (const auto& t : tools)
            if (key == t.key)
                fallback = t.fallback;
        action->setIcon(programIcon(key, fallback, this));
    }
}

void frmMain::connectMenus()
{
    FileCommands& files = m_program.files();
    connect(m_ui->mnuFileNew, &QAction::triggered, this, [&files] { files.mnuFileNew_Click(); });
    connect(m_ui->mnuFileOpen, &QAction::triggered, this, [&files] { files.mnuFileOpen_Click(); });
    connect(m_ui->mnuFileSave, &QAction::triggered, this, [&files] { files.mnuFileSave_Click(); });
    connect(m_ui->mnuFileSaveAs, &QAction::triggered, this, [&files] { files.mnuFileSaveAs_Click(); });
    connect(m_ui->mnuFileSaveTemplate, &QAction::triggered, this,
            [this] { SaveTemplateSettings(m_state, m_ds); });
    connect(m_ui->mnuFileExit, &QAction::triggered, this, &QWidget::close);

    connect(m_ui->mnuEditCut, &QAction::triggered, this, &frmMain::mnuEditCut_Click);
    connect(m_ui->mnuEditCopy, &QAction::triggered, this, &frmMain::mnuEditCopy_Click);
    connect(m_ui->mnuEditPaste, &QAction::triggered, this, &frmMain::mnuEditPaste_Click);

    connect(m_ui->mnuOptionsAddPictures, &QAction::triggered, this, &frmMain::showPictures);
    connect(m_ui->mnuOptionsCustomizeTemplate, &QAction::triggered, this, &frmMain::showCustomizeTemplate);
    connect(m_ui->mnuOptionsDefaultColors, &QAction::triggered, this,
            [this] { DefaultColors(m_state, m_ds); });
    connect(m_ui->mnuOptionsPreview, &QAction::triggered, this,
            [this] { m_program.mnuOptionsPreview_Click(); });
    connect(m_ui->mnuOptionsLivePreview, &QAction::triggered, this, &frmMain::mnuOptionsLivePreview_Click);
    connect(m_ui->mnuOptionsGenerate, &QAction::triggered, this,
            [this] { m_program.mnuOptionsGenerate_Click(); });
    connect(m_ui->mnuOptionsPreferences, &QAction::triggered, this, [this] { showPreferences(0); });
    connect(m_ui->mnuCheckSpelling, &QAction::triggered, this, &frmMain::mnuCheckSpelling_Click);
    connect(m_ui->mnuOptionsCheckRules, &QAction::triggered, this, &frmMain::mnuOptionsCheckRules_Click);

    for (int i = 0; i < 6; ++i) {
        const E effect = static_cast<E>(i);
        connect(m_effects[i], &QAction::triggered, this, [this, effect] { m_editor->toggleScroll(effect); });
    }
    connect(m_ui->mnuTextDocumentNoRightClick, &QAction::triggered, this,
            [this] { m_editor->mnuTextDocumentNoRightClick_Click(); });
    connect(m_ui->mnuTextDocumentMusic, &QAction::triggered, this,
            [this] { m_editor->mnuTextDocumentMusic_Click([this] { m_program.buildEffectFragments(); }); });
    connect(m_ui->mnuEffectsAnimatedText, &QAction::triggered, this,
            [this] { m_editor->cmdAnimatedText_Click(); });

    connect(m_ui->mnuHelpHelpTopics, &QAction::triggered, this, [this] { openHelpPage(u"index.html"_s); });
    connect(m_ui->mnuHelpTutorials, &QAction::triggered, this, [this] { openHelpPage(u"tutorials.html"_s); });
    connect(m_ui->mnuHelpWebsite, &QAction::triggered, this, &frmMain::openWebsite);
    connect(m_ui->mnuHelpUpdates, &QAction::triggered, this, &frmMain::mnuHelpUpdates_Click);
    connect(m_ui->mnuSubmitAd, &QAction::triggered, this, &frmMain::mnuSubmitAd_Click);
    connect(m_ui->mnuHelpAbout, &QAction::triggered, this, &frmMain::showAbout);
}

void frmMain::connectToolbar()
{
    for (QAction* action : m_ui->tlbMain->actions()) {
        const QString key = action->property("key").toString();
        if (!key.isEmpty())
            connect(action, &QAction::triggered, this, [this, key] { tlbMain_ButtonClick(key); });
    }
}

void frmMain::tlbMain_ButtonClick(const QString& key)
{
    FileCommands& files = m_program.files();
    if (key == u"NewFile")
        files.mnuFileNew_Click();
    else if (key == u"OpenFile")
        files.mnuFileOpen_Click();
    else if (key == u"SaveFile")
        files.mnuFileSave_Click();
    else if (key == u"Cut")
        mnuEditCut_Click();
    else if (key == u"Copy")
        mnuEditCopy_Click();
    else if (key == u"Paste")
        mnuEditPaste_Click();
    else if (key == u"LoadTemplate")
        showPreferences(1);
    else if (key == u"InsertPictures")
        showPictures();
    else if (key == u"CustomizeTemplate")
        showCustomizeTemplate();
    else if (key == u"AdPreferences")
        showPreferences(0);
    else if (key == u"CheckSpelling")
        mnuCheckSpelling_Click();
    else if (key == u"PreviewAd")
        m_program.mnuOptionsPreview_Click();
    else if (key == u"LivePreview")
        mnuOptionsLivePreview_Click();
    else if (key == u"GenerateAd")
        m_program.mnuOptionsGenerate_Click();
    else if (key == u"SubmitAd")
        mnuSubmitAd_Click();
}

void frmMain::connectControls()
{
    for (int i = 0; i < 4; ++i)
        connect(m_pickers[i], &QAbstractButton::clicked, this,
                [this, i] { m_editor->pickColor(ColorOrder[i]); });

    // In the order of wrapButtons().
    const std::array<QAbstractButton*, 10> wraps = {
        m_ui->CmdBold, m_ui->cmdItalic, m_ui->cmdUnderline,   m_ui->cmdStrikeThrough, m_ui->cmdPreFormatted,
        m_ui->cmdSub1, m_ui->cmdSub2,   m_ui->cmdAlignCenter, m_ui->cmdAlignLeft,     m_ui->cmdAlignRight};
    for (int i = 0; i < 10; ++i)
        connect(wraps[i], &QAbstractButton::clicked, this, [this, i] { m_editor->wrap(i); });
    for (int i = 0; i < 12; ++i)
        connect(cmdQuickColor[i], &QAbstractButton::clicked, this,
                [this, i] { m_editor->cmdQuickColor_Click(i); });
    connect(m_ui->Command2, &QAbstractButton::clicked, this, [this] { m_editor->Command2_Click(); });
    connect(m_ui->cmdPicInsert, &QAbstractButton::clicked, this, [this] { m_editor->cmdPicInsert_Click(); });

    connect(m_ui->cmdPreviousEmoticon, &QAbstractButton::clicked, this, [this] {
        m_editor->cmdPreviousEmoticon_Click();
        refreshEmoticon();
    });
    connect(m_ui->cmdNextEmoticon, &QAbstractButton::clicked, this, [this] {
        m_editor->cmdNextEmoticon_Click();
        refreshEmoticon();
    });
    connect(m_ui->cmdEmoticon, &QAbstractButton::clicked, this, [this] { m_editor->cmdEmoticon_Click(); });
    connect(m_ui->lblViewEmoticons, &QLabel::linkActivated, this,
            [this] { openPage(m_ds, installFolder() + u"/help/emoticons.html"_s); });
    connect(m_ui->cmdAnimatedText, &QAbstractButton::clicked, this,
            [this] { m_editor->cmdAnimatedText_Click(); });

    connect(m_ui->cmdPictures, &QAbstractButton::clicked, this, &frmMain::showPictures);
    connect(m_ui->cmdCustomizeTemplate, &QAbstractButton::clicked, this, &frmMain::showCustomizeTemplate);
    connect(m_ui->cmdPreferences, &QAbstractButton::clicked, this, [this] { showPreferences(0); });
    connect(m_ui->cmdDefaultColors, &QAbstractButton::clicked, this,
            [this] { DefaultColors(m_state, m_ds); });
    connect(m_ui->Label5, &QLabel::linkActivated, this, &frmMain::openWebsite);
}

void frmMain::bindModels()
{
    AdRecord& ad = m_state.ad;
    auto bindLine = [this, &ad](QLineEdit* box, T field) {
        connect(box, &QLineEdit::textChanged, this, [&ad, field](const QString& t) { ad.setText(field, t); });
    };
    bindLine(m_ui->txtTitle, T::Title);
    bindLine(m_ui->txtSubTitle, T::SubTitle);
    const std::array<T, 6> optionalFields = {T::Condition, T::Age,    T::Comments,
                                             T::ShipCost,  T::Pounds, T::Ounces};
    for (int i = 0; i < 6; ++i)
        bindLine(m_optional[i], optionalFields[i]);
    connect(m_ui->txtDescription, &QPlainTextEdit::textChanged, this, [this, &ad] {
        m_descriptionShown = toModelText(m_ui->txtDescription->toPlainText());
        if (m_descriptionShown != ad.text(T::Description))
            ad.setText(T::Description, m_descriptionShown);
    });
    // The size lists hold "1" to "7" only (the form inserts nothing); a typed size stays the box's text.
    // A size picked or typed is a change of the ad alike.
    const std::array<T, 3> sizeFields = {T::TitleSize, T::SubTitleSize, T::DescriptionSize};
    for (int r = 0; r < 3; ++r) {
        QComboBox* combo = m_sizes[r];
        const T field = sizeFields[r];
        connect(combo, &QComboBox::textActivated, this,
                [&ad, field](const QString& t) { ad.setText(field, t); });
        connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                [&ad, field](const QString& t) { ad.setText(field, t); });
    }
    connect(m_ui->chkIncludeOptional, &QCheckBox::toggled, this,
            [&ad](bool on) { ad.setIncludeOptional(on); });
    connect(m_ui->cboAnimatedText, &QComboBox::currentIndexChanged, this,
            [&ad](int i) { ad.setLetterStyle(qMax(0, i)); });

    connect(&ad, &AdRecord::textChanged, this, [this](T field) { refreshText(static_cast<int>(field)); });
    connect(&ad, &AdRecord::colorChanged, this, &frmMain::refreshColors);
    connect(&m_state, &SharedState::colorsRefreshed, this, &frmMain::refreshColors);
    connect(&ad, &AdRecord::effectChanged, this, &frmMain::refreshEffects);
    connect(&ad, &AdRecord::includeOptionalChanged, this, [this](bool on) {
        const QSignalBlocker block(m_ui->chkIncludeOptional);
        m_ui->chkIncludeOptional->setChecked(on);
    });
    connect(&ad, &AdRecord::letterStyleChanged, this, [this](int style) {
        const QSignalBlocker block(m_ui->cboAnimatedText);
        m_ui->cboAnimatedText->setCurrentIndex(style);
    });
    connect(&m_state, &SharedState::captionChanged, this, &QWidget::setWindowTitle);
    connect(&m_state.prefs, &Preferences::changed, this, &frmMain::refreshWeightFields);
    for (int f = 0; f < static_cast<int>(T::Count); ++f)
        refreshText(f);
    refreshColors();
    refreshEffects();
    refreshWeightFields();
}

void frmMain::refreshText(int field)
{
    const AdRecord& ad = m_state.ad;
    const T f = static_cast<T>(field);
    const QString& value = ad.text(f);
    auto setLine = [&value](QLineEdit* box) {
        if (box->text() == value)
            return;
        const QSignalBlocker block(box);
        box->setText(value);
        // A box filled from an opened ad shows where its text begins, not where it ends.
        box->setCursorPosition(0);
    };
    switch (f) {
    case T::Title:
        setLine(m_ui->txtTitle);
        break;
    case T::SubTitle:
        setLine(m_ui->txtSubTitle);
        break;
    case T::Condition:
    case T::Age:
    case T::Comments:
    case T::ShipCost:
        setLine(m_optional[field - static_cast<int>(T::Condition)]);
        break;
    case T::Pounds:
        setLine(m_optional[4]);
        break;
    case T::Ounces:
        setLine(m_optional[5]);
        break;
    case T::Description:
        // Compared with what the box was last given or said, not read again: a long description
        // would make every keystroke pay for reading it twice.
        if (m_descriptionShown != value) {
            m_descriptionShown = value;
            const QSignalBlocker block(m_ui->txtDescription);
            m_ui->txtDescription->setPlainText(toWidgetText(value));
        }
        break;
    case T::TitleSize:
    case T::SubTitleSize:
    case T::DescriptionSize: {
        QComboBox* combo = m_sizes[field - static_cast<int>(T::TitleSize)];
        if (combo->currentText() != value) {
            const QSignalBlocker block(combo);
            combo->setCurrentText(value);
        }
        break;
    }
    case T::MusicUrl:
    case T::Count:
        break;
    }
}

void frmMain::refreshColors()
{
    // Each swatch is the face of its colour button, so the button shows the colour it sets.
    for (int i = 0; i < 4; ++i)
        m_swatches[i]->setStyleSheet(swatchStyle(m_state.ad.color(ColorOrder[i]).value));
}

void frmMain::refreshEffects()
{
    for (int i = 0; i < 8; ++i) {
        const QSignalBlocker block(m_effects[i]);
        m_effects[i]->setChecked(m_state.ad.effect(static_cast<E>(i)));
    }
}

void frmMain::refreshEmoticon()
{
    const QString path = m_editor->emoticonPath(m_state.emoticonNumber);
    if (QFileInfo::exists(path))
        m_ui->cmdEmoticon->setIcon(QIcon(path));
}

void frmMain::refreshWeightFields()
{
    const Preferences& p = m_state.prefs;
    const bool calculator = p.flag(Preferences::Field::ShowCalc);
    m_ui->txtPounds->setEnabled(calculator);
    m_ui->lblPounds->setEnabled(calculator);
    // The UPS calculator takes whole pounds only.
    const bool ounces = calculator && !p.flag(Preferences::Field::UseUps);
    m_ui->txtOunces->setEnabled(ounces);
    m_ui->lblOunces->setEnabled(ounces);
}

TextBoxState frmMain::textBox(TextBox which) const
{
    if (which == TextBox::Description) {
        const QString model = m_state.ad.text(T::Description);
        const QTextCursor cursor = m_ui->txtDescription->textCursor();
        const int start = widgetToModelPosition(model, cursor.selectionStart());
        const int end = widgetToModelPosition(model, cursor.selectionEnd());
        return {model, start, end - start};
    }
    const QLineEdit* box = which == TextBox::Title ? m_ui->txtTitle : m_ui->txtSubTitle;
    if (box->hasSelectedText())
        return {box->text(), box->selectionStart(), static_cast<int>(box->selectedText().size())};
    return {box->text(), box->cursorPosition(), 0};
}

void frmMain::setTextBox(TextBox which, const TextBoxState& state)
{
    if (which == TextBox::Description) {
        m_state.ad.setText(T::Description, state.text);
        refreshText(static_cast<int>(T::Description));
        const QString model = m_state.ad.text(T::Description);
        QTextCursor cursor = m_ui->txtDescription->textCursor();
        cursor.setPosition(modelToWidgetPosition(model, state.selStart));
        if (state.selLength > 0)
            cursor.setPosition(modelToWidgetPosition(model, state.selStart + state.selLength),
                               QTextCursor::KeepAnchor);
        m_ui->txtDescription->setTextCursor(cursor);
        m_ui->txtDescription->setFocus();
        return;
    }
    const bool title = which == TextBox::Title;
    QLineEdit* box = title ? m_ui->txtTitle : m_ui->txtSubTitle;
    m_state.ad.setText(title ? T::Title : T::SubTitle, state.text);
    refreshText(static_cast<int>(title ? T::Title : T::SubTitle));
    box->setFocus();
    if (state.selLength > 0)
        box->setSelection(state.selStart, state.selLength);
    else
        box->setCursorPosition(state.selStart);
}

void frmMain::mnuEditCopy_Click()
{
    QWidget* w = focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(w)) {
        if (line->hasSelectedText())
            m_ds.setClipboardText(line->selectedText());
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        const QTextCursor cursor = text->textCursor();
        if (cursor.hasSelection())
            m_ds.setClipboardText(cursor.selection().toPlainText());
    }
}

void frmMain::mnuEditCut_Click()
{
    QWidget* w = focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(w)) {
        if (!line->hasSelectedText() || line->isReadOnly())
            return;
        m_ds.setClipboardText(line->selectedText());
        line->del();
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        QTextCursor cursor = text->textCursor();
        if (!cursor.hasSelection())
            return;
        m_ds.setClipboardText(cursor.selection().toPlainText());
        cursor.removeSelectedText();
    }
}

void frmMain::mnuEditPaste_Click()
{
    QWidget* w = focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(w)) {
        if (!line->isReadOnly())
            line->insert(m_ds.clipboardText());
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        text->textCursor().insertText(m_ds.clipboardText());
    }
}

frmPreferences& frmMain::preferencesWindow()
{
    if (!m_preferences) {
        m_preferences = std::make_unique<frmPreferences>(m_state, m_program.preferencesWindow(), m_ds, this);
        placeOwned(m_preferences.get());
    }
    return *m_preferences;
}

frmImgs& frmMain::picturesWindow()
{
    if (!m_pictures) {
        m_pictures = std::make_unique<frmImgs>(m_state, m_ds, this);
        placeOwned(m_pictures.get());
        // The picked picture goes into the selling form.
        m_pictures->pictureSelected = [this](bool gallery) {
            if (SubmissionWindow* window = submissionWindow()) {
                window->showWindow();
                window->cmdInsertPicture_Click(gallery ? 1 : 0);
            }
        };
    }
    return *m_pictures;
}

frmCustomizeTemplate& frmMain::customizeWindow()
{
    if (!m_customize) {
        m_customize = std::make_unique<frmCustomizeTemplate>(m_state, m_ds, this);
        placeOwned(m_customize.get());
    }
    return *m_customize;
}

frmSpellCheck& frmMain::spellingWindow()
{
    if (!m_spellWindow) {
        m_spellWindow = std::make_unique<frmSpellCheck>(*m_spellCheck, this);
        placeOwned(m_spellWindow.get());
    }
    return *m_spellWindow;
}

frmAbout& frmMain::aboutWindow()
{
    if (!m_about) {
        m_about = std::make_unique<frmAbout>(m_ds, m_state.updates.programRevision, this);
        placeOwned(m_about.get());
    }
    return *m_about;
}

void frmMain::mnuCheckSpelling_Click()
{
    m_spellCheck->mnuCheckSpelling_Click();
}

void frmMain::showAbout()
{
    frmAbout& window = aboutWindow();
    window.show();
    window.raise();
    window.activateWindow();
}

frmCheckUpdates& frmMain::checkUpdatesWindow()
{
    if (!m_checkUpdates) {
        m_checkUpdates = std::make_unique<frmCheckUpdates>(m_state, m_ds, this);
        placeOwned(m_checkUpdates.get());
        // The Updater replaces this program: it ends at once, without the closing question.
        connect(&m_checkUpdates->check(), &UpdateCheck::handedOver, qApp, [] { QCoreApplication::exit(0); });
    }
    return *m_checkUpdates;
}

void frmMain::mnuHelpUpdates_Click()
{
    if (updatesFromPackageManager(m_ds))
        return;
    checkUpdatesWindow().showFromHelpMenu();
}

frmCheckRules& frmMain::checkRulesWindow()
{
    if (!m_checkRules) {
        m_checkRules = std::make_unique<frmCheckRules>(*m_rulesCheck, this);
        placeOwned(m_checkRules.get());
    }
    return *m_checkRules;
}

void frmMain::mnuOptionsCheckRules_Click()
{
    checkRulesWindow().showAndCheck();
}

void frmMain::showCheckStatus()
{
    const SiteCheckResult& r = m_rulesCheck->result();
    const int rejected = r.count(FindingKind::Rejected);
    if (!r.ok || rejected == 0) {
        m_checkStatus->clear();
        fitStatusLine();
        return;
    }
    m_checkStatus->setText(m_rulesCheck->rules().name + u" would reject "_s + QString::number(rejected) +
                           (rejected == 1 ? u" part"_s : u" parts"_s) +
                           u" of this ad. Options, <a href=\"#\">Check Ad For Site Rules</a> lists "_s +
                           (rejected == 1 ? u"it"_s : u"them"_s) + u" with fixes."_s);
    fitStatusLine();
}

void frmMain::showRecoveryProblem(const QString& why)
{
    m_recoveryStatus->setText(why.isEmpty() ? QString()
                                            : u"No recovery copy of this ad can be kept: "_s + why);
    m_recoveryStatus->setVisible(!why.isEmpty());
    fitStatusLine();
}

void frmMain::fitStatusLine()
{
    const bool wanted = !m_checkStatus->text().isEmpty() || !m_recoveryStatus->text().isEmpty();
    if (wanted != m_ui->stbMain->isHidden())
        return;
    m_ui->stbMain->setVisible(wanted);
    // The line takes its height from the window, not from the editor's controls.
    if (wanted && windowState() == Qt::WindowNoState)
        resize(width(), height() + m_ui->stbMain->sizeHint().height());
}

SubmissionWindow* frmMain::submissionWindow()
{
    if (m_submission)
        return m_submission.get();
    if (!m_submissionLink) {
        SubmissionLink::Windows windows;
        windows.hideOthers = [this] {
            for (QWidget* w :
                 std::initializer_list<QWidget*>{m_preferences.get(), m_about.get(), m_customize.get(),
                                                 m_pictures.get(), m_checkRules.get()})
                if (w)
                    w->hide();
            hide();
        };
        windows.showMain = [this] { show(); };
        windows.showPicker = [this] { picturesWindow().showPicking(); };
        m_submissionLink = std::make_unique<SubmissionLink>(m_program, m_ds, std::move(windows));
        // The Updater replaces this program: it ends at once, without the closing question.
        connect(&m_submissionLink->updateCheck(), &UpdateCheck::handedOver, qApp,
                [] { QCoreApplication::exit(0); });
    }
    QString error;
    m_submission = createSubmissionWindow(*m_submissionLink, this, &error);
    if (!m_submission) {
        m_ds.messageBox(submissionModuleMissingText(error), MsgIcon::Exclamation, u"Ad Submission Process"_s);
        return nullptr;
    }
    // The module's window is placed like the program's own: centred over this one the first time,
    // back where the seller left it afterwards, and at the size they gave it.
    new OwnedWindowWatcher(m_submission->widget());
    placeOwned(m_submission->widget());
    return m_submission.get();
}

void frmMain::mnuSubmitAd_Click()
{
    if (SubmissionWindow* window = submissionWindow())
        window->showWindow();
}

PreviewWindow* frmMain::livePreview(bool quiet)
{
    if (!m_preview) {
        PreviewLink::Calls calls;
        calls.snapshot = [this] { return m_program.generatorInput(); };
        calls.openCheckWindow = [this] { mnuOptionsCheckRules_Click(); };
        m_preview = std::make_unique<PreviewLink>(m_state, m_ds, std::move(calls));
        // The check's footer fix changes the page through the marker file, not a model.
        connect(m_rulesCheck.get(), &RulesCheck::checked, m_preview.get(), &PreviewLink::refresh);
    }
    if (PreviewWindow* window = m_preview->existingWindow())
        return window;
    QString error;
    PreviewWindow* window = m_preview->window(this, &error);
    if (!window) {
        if (!quiet)
            m_ds.messageBox(previewModuleMissingText(error), MsgIcon::Exclamation, u"Live Preview"_s);
        return nullptr;
    }
    QWidget* w = window->widget();
    auto* watcher = new OwnedWindowWatcher(w);
    // The first time beside this window, where it leaves the editor in view: on the side with room
    // for it, narrower when neither side has its full width, and no taller than the screen below
    // this window's top. Later where the seller left it.
    constexpr int Gap = 12;
    // Its title bar and borders, not known before it is first shown.
    constexpr int Frame = 40;
    const QRect screen = this->screen()->availableGeometry();
    const QRect main = frameGeometry();
    const int right = screen.right() - main.right() - Gap;
    const int left = main.left() - screen.left() - Gap;
    const int width = qMax(qMin(w->width(), qMax(left, right)), w->minimumWidth());
    const int x = right >= width  ? main.right() + Gap
                  : left >= width ? main.left() - Gap - width
                                  : screen.right() - width;
    const int top = qMax(screen.top(), geometry().top());
    w->resize(width, qMin(w->height(), screen.bottom() - top - Frame));
    watcher->setFirstPosition({qMax(screen.left(), x), top});
    placeOwned(w);
    return window;
}

void frmMain::mnuOptionsLivePreview_Click()
{
    if (PreviewWindow* window = livePreview())
        window->showWindow();
}

void frmMain::showPreferences(int tab)
{
    preferencesWindow().showOnTab(tab);
}

void frmMain::showPictures()
{
    frmImgs& window = picturesWindow();
    window.show();
    window.raise();
    window.activateWindow();
}

void frmMain::showCustomizeTemplate()
{
    frmCustomizeTemplate& window = customizeWindow();
    window.show();
    window.raise();
    window.activateWindow();
}

void frmMain::openHelpPage(const QString& page)
{
    openPage(m_ds, installFolder() + u"/help/"_s + page);
}

void frmMain::openWebsite()
{
    openPage(m_ds, Hosts::current().makerSite());
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (watched == m_ui->frmMainArea && type == QEvent::Resize) {
        if (m_ui->frmMainArea->width() > 0 && m_ui->frmMainArea->height() > 0 &&
            !(windowState() & Qt::WindowMinimized)) {
            m_resizer->FormResized(m_ui->frmMainArea);
            shareWidth();
        }
    } else if (type == QEvent::MouseButtonPress || type == QEvent::FocusIn) {
        // The emoticon and letter-image commands write into the text box clicked last.
        std::optional<TextBox> box;
        if (watched == m_ui->txtTitle)
            box = TextBox::Title;
        else if (watched == m_ui->txtSubTitle)
            box = TextBox::SubTitle;
        else if (watched == m_ui->txtDescription || watched == m_ui->txtDescription->viewport())
            box = TextBox::Description;
        if (box && type == QEvent::MouseButtonPress) {
            m_state.emoticonTarget = *box;
            m_state.letterTarget = *box;
        } else if (box == TextBox::SubTitle && type == QEvent::FocusIn) {
            m_state.letterTarget = TextBox::SubTitle;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        m_ui->mnuFile->popup(event->globalPosition().toPoint());
    QMainWindow::mouseReleaseEvent(event);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (m_program.isUploading()) {
        if (m_ds.messageBox(u"Pictures are still being uploaded. Stop the upload and quit?"_s,
                            {MsgButtons::YesNo, MsgIcon::Exclamation}) != MsgResult::Yes) {
            event->ignore();
            return;
        }
        m_program.stopUploadForQuit();
    }
    if (!m_program.queryClose()) {
        event->ignore();
        return;
    }
    event->accept();
    rememberPlaces();
    Q_EMIT closed();
}

void frmMain::shareWidth()
{
    // Even, so the halves below add up.
    const int extra = 2 * (qMax(0, m_ui->frmMainArea->width() - WideArea) / 4);
    const int delta = extra - m_rightExtra;
    if (delta == 0)
        return;
    m_rightExtra = extra;
    const Ui::frmMain& ui = *m_ui;
    // How far each control moves and widens, in halves of the change: the left column gives up
    // what the right-hand column takes.
    const struct
    {
        QWidget* control;
        int move;
        int grow;
    } shares[] = {
        {ui.txtTitle, 0, -2},
        {ui.txtSubTitle, 0, -2},
        {ui.txtDescription, 0, -2},
        {ui.lblSizeTitle, -2, 0},
        {ui.cboTitleSize, -2, 0},
        {ui.cmdTitleColor, -2, 0},
        {ui.lblSizeSubTitle, -2, 0},
        {ui.cboSubTitleSize, -2, 0},
        {ui.cmdSubTitleColor, -2, 0},
        {ui.lblSizeDescription, -2, 0},
        {ui.cboDescriptionSize, -2, 0},
        {ui.cmdDescriptionColor, -2, 0},
        {ui.fraOptional, -2, 2},
        {ui.chkIncludeOptional, 0, 2},
        {ui.txtCondition, 0, 2},
        {ui.txtAge, 0, 2},
        {ui.txtComments, 0, 2},
        {ui.txtShipCost, 0, 2},
        {ui.fraEmoticons, -2, 2},
        {ui.cboAnimatedText, 0, 2},
        {ui.cmdAnimatedText, 2, 0},
        {ui.cmdPictures, -2, 1},
        {ui.cmdCustomizeTemplate, -2, 1},
        {ui.cmdPreferences, -1, 1},
        {ui.cmdDefaultColors, -1, 1},
        {ui.Label5, -2, 2},
    };
    for (const auto& s : shares) {
        const QRect g = s.control->geometry();
        s.control->setGeometry(g.x() + s.move * delta / 2, g.y(), g.width() + s.grow * delta / 2, g.height());
    }
}

void frmMain::usePlaces(WindowPlaces& places)
{
    m_places = &places;
    places.restoreMain(this);
    placeOwned(m_ftpStatus.get());
    m_state.folders.setEntries(places.folders());
}

namespace {

bool resizable(const QWidget* window)
{
    return window->minimumSize() != window->maximumSize();
}

} // namespace

void frmMain::placeOwned(QWidget* window)
{
    if (!m_places)
        return;
    const bool sized = resizable(window);
    if (sized)
        m_places->restoreSize(window);
    auto* watcher = window->findChild<OwnedWindowWatcher*>(QString(), Qt::FindDirectChildrenOnly);
    if (const auto position = m_places->position(window->objectName()); watcher && position)
        watcher->setFirstPosition(*position);
    if (sized && watcher && m_places->maximized(window->objectName()))
        watcher->maximizeWhenShown();
}

void frmMain::rememberPlaces()
{
    if (!m_places)
        return;
    m_places->rememberMain(this);
    QWidget* preview =
        m_preview && m_preview->existingWindow() ? m_preview->existingWindow()->widget() : nullptr;
    const std::initializer_list<QWidget*> owned = {
        m_preferences.get(), m_pictures.get(),
        m_customize.get(),   m_spellWindow.get(),
        m_about.get(),       m_checkUpdates.get(),
        m_checkRules.get(),  m_submission ? m_submission->widget() : nullptr,
        m_ftpStatus.get(),   preview};
    for (QWidget* window : owned) {
        if (!window)
            continue;
        const auto* watcher = window->findChild<OwnedWindowWatcher*>(QString(), Qt::FindDirectChildrenOnly);
        const auto position = watcher ? watcher->lastPosition() : std::nullopt;
        if (!position)
            continue; // never shown this run: what the file holds stays
        m_places->setPosition(window->objectName(), *position);
        if (resizable(window))
            m_places->rememberSize(window);
    }
    if (preview)
        m_places->setOpen(u"frmLivePreview"_s, preview->isVisible());
    m_places->setFolders(m_state.folders.entries());
    // Losing the places is no reason to keep the program from ending, nor to stop it with a question.
    QString error;
    if (!m_places->write(&error))
        qWarning("Listwright: the places of the windows were not kept: %s", qPrintable(error));
}

void frmMain::changeEvent(QEvent* event)
{
    // Drawings in the text colour follow a palette switched at run time (light to dark).
    if (event->type() == QEvent::PaletteChange)
        setIcons();
    QMainWindow::changeEvent(event);
}

} // namespace lw
