#include "app/ui/frm_main.h"

#include "app/program.h"
#include "core/desktop_services.h"
#include "core/hosts.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "pictures/ui/frm_imgs.h"
#include "settings/template_commands.h"
#include "settings/ui/frm_customize_template.h"
#include "settings/ui/frm_preferences.h"
#include "support/ui/control_resizer.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

using T = AdRecord::Text;
using E = AdRecord::Effect;
using C = AdRecord::Color;

// The window's design size; the resizer scales the controls from it.
constexpr int AreaWidth = 651;
constexpr int AreaHeight = 392;

QString toWidget(QString text)
{
    return text.replace(u"\r\n"_s, u"\n"_s);
}

QString toModel(QString text)
{
    text.replace(u"\r\n"_s, u"\n"_s);
    return text.replace(u'\n', u"\r\n"_s);
}

QString colorStyle(qint64 value)
{
    return u"background-color: "_s + ColorToHtml(value) +
           u"; border: 1px solid #7a7a7a; border-radius: 3px;"_s;
}

QIcon pictureIcon(const QString& name, QStyle::StandardPixmap fallback, const QStyle* style)
{
    const QString path = installPath(u"graphics/"_s + name + u".png"_s);
    if (QFileInfo::exists(path))
        return QIcon(path);
    return fallback == QStyle::SP_CustomBase ? QIcon() : style->standardIcon(fallback);
}

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                 const QString& tag = {})
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    ControlResizer::setTag(label, tag);
    return label;
}

template <typename W> W* place(W* widget, const QString& name, const QRect& geometry, const QString& tag)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    ControlResizer::setTag(widget, tag);
    return widget;
}

const std::array<C, 4> ColorOrder = {C::Title, C::SubTitle, C::Description, C::Optional};

} // namespace

frmMain::frmMain(Program& program, DesktopServices& ds, QWidget* parent)
    : QMainWindow(parent), m_program(program), m_state(program.state()), m_ds(ds),
      m_resizer(std::make_unique<ControlResizer>(ds))
{
    setObjectName(u"frmMain"_s);
    m_editor = std::make_unique<EditorCommands>(m_state, ds, *this);
    m_area = new QWidget(this);
    m_area->setObjectName(u"frmMainArea"_s);
    setCentralWidget(m_area);
    buildMenus();
    buildToolbar();
    buildControls(m_area);
    bindModels();
    setWindowTitle(m_state.caption());
    setWindowIcon(pictureIcon(u"Listwright"_s, QStyle::SP_CustomBase, style()));
    setMinimumSize(651, 447);
    m_area->resize(AreaWidth, AreaHeight);
    m_resizer->InitResizer(m_area);
    m_area->installEventFilter(this);
    resize(651, 447);
}

frmMain::~frmMain() = default;

void frmMain::Form_Load(const QString& commandLine)
{
    m_program.startup(commandLine);
    refreshEmoticon();
}

QAction* frmMain::addMenuItem(QMenu* menu, const QString& name, const QString& caption,
                              const QKeySequence& keys)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(keys);
    return action;
}

QPushButton* frmMain::addButton(QWidget* parent, const QString& name, const QString& caption,
                                const QRect& geometry, const QString& tag)
{
    auto* button = place(new QPushButton(caption, parent), name, geometry, tag);
    button->setAutoDefault(false);
    return button;
}

void frmMain::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto later = [](QAction* action) {
        // Opens a window that arrives with a later part of the program.
        action->setEnabled(false);
    };

    m_fileMenu = bar->addMenu(u"&File"_s);
    m_fileMenu->setObjectName(u"mnuFile"_s);
    FileCommands& files = m_program.files();
    connect(addMenuItem(m_fileMenu, u"mnuFileNew"_s, u"&New"_s, QKeySequence(u"Ctrl+N"_s)),
            &QAction::triggered, this, [&files] { files.mnuFileNew_Click(); });
    connect(addMenuItem(m_fileMenu, u"mnuFileOpen"_s, u"&Open..."_s, QKeySequence(u"Ctrl+O"_s)),
            &QAction::triggered, this, [&files] { files.mnuFileOpen_Click(); });
    connect(addMenuItem(m_fileMenu, u"mnuFileSave"_s, u"&Save"_s, QKeySequence(u"Ctrl+S"_s)),
            &QAction::triggered, this, [&files] { files.mnuFileSave_Click(); });
    connect(addMenuItem(m_fileMenu, u"mnuFileSaveAs"_s, u"Save &As..."_s, QKeySequence(u"F5"_s)),
            &QAction::triggered, this, [&files] { files.mnuFileSaveAs_Click(); });
    m_fileMenu->addSeparator();
    connect(addMenuItem(m_fileMenu, u"mnuFileSaveTemplate"_s, u"Save &Template Settings"_s,
                        QKeySequence(u"Ctrl+F5"_s)),
            &QAction::triggered, this, [this] { SaveTemplateSettings(m_state, m_ds); });
    m_fileMenu->addSeparator();
    connect(addMenuItem(m_fileMenu, u"mnuFileExit"_s, u"E&xit"_s), &QAction::triggered, this,
            &QWidget::close);

    QMenu* edit = bar->addMenu(u"&Edit"_s);
    edit->setObjectName(u"mnuEdit"_s);
    connect(addMenuItem(edit, u"mnuEditCut"_s, u"Cu&t"_s, QKeySequence(u"Ctrl+X"_s)), &QAction::triggered,
            this, &frmMain::mnuEditCut_Click);
    connect(addMenuItem(edit, u"mnuEditCopy"_s, u"&Copy"_s, QKeySequence(u"Ctrl+C"_s)), &QAction::triggered,
            this, &frmMain::mnuEditCopy_Click);
    connect(addMenuItem(edit, u"mnuEditPaste"_s, u"&Paste"_s, QKeySequence(u"Ctrl+V"_s)), &QAction::triggered,
            this, &frmMain::mnuEditPaste_Click);

    QMenu* options = bar->addMenu(u"&Options"_s);
    options->setObjectName(u"mnuOptions"_s);
    connect(addMenuItem(options, u"mnuOptionsAddPictures"_s, u"&Add Pictures"_s, QKeySequence(u"F2"_s)),
            &QAction::triggered, this, &frmMain::showPictures);
    connect(addMenuItem(options, u"mnuOptionsCustomizeTemplate"_s, u"&Customize Template"_s,
                        QKeySequence(u"F3"_s)),
            &QAction::triggered, this, &frmMain::showCustomizeTemplate);
    options->addSeparator();
    connect(addMenuItem(options, u"mnuOptionsDefaultColors"_s, u"Reset To &Default Colors"_s,
                        QKeySequence(u"Ctrl+D"_s)),
            &QAction::triggered, this, [this] { DefaultColors(m_state, m_ds); });
    options->addSeparator();
    connect(addMenuItem(options, u"mnuOptionsPreview"_s, u"&Preview Ad"_s, QKeySequence(u"F11"_s)),
            &QAction::triggered, this, [this] { m_program.mnuOptionsPreview_Click(); });
    connect(addMenuItem(options, u"mnuOptionsGenerate"_s, u"&Generate Ad"_s, QKeySequence(u"F12"_s)),
            &QAction::triggered, this, [this] { m_program.mnuOptionsGenerate_Click(); });
    later(addMenuItem(options, u"mnuSubmitAd"_s, u"&Submit Ad to eBay"_s, QKeySequence(u"Ctrl+F12"_s)));
    options->addSeparator();
    connect(addMenuItem(options, u"mnuOptionsPreferences"_s, u"Preferences"_s, QKeySequence(u"F4"_s)),
            &QAction::triggered, this, [this] { showPreferences(0); });
    later(addMenuItem(options, u"mnuCheckSpelling"_s, u"C&heck Spelling (requires MS Word)"_s,
                      QKeySequence(u"Ctrl+T"_s)));

    QMenu* effects = bar->addMenu(u"Effects"_s);
    effects->setObjectName(u"mnuEffects"_s);
    const std::array<std::pair<QString, QString>, 3> scrolls = {
        std::pair{u"L"_s, u"Scroll Text (&Left To Right)"_s},
        std::pair{u"R"_s, u"Scroll Text (&Right To Left)"_s}, std::pair{u"B"_s, u"Scroll Text (&Bounce)"_s}};
    int index = 0;
    for (const auto& [group, caption] :
         {std::pair{u"Title"_s, u"&Title"_s}, std::pair{u"SubTitle"_s, u"&Sub-Title"_s}}) {
        QMenu* sub = effects->addMenu(caption);
        sub->setObjectName(u"mnuText"_s + group);
        for (const auto& [letter, text] : scrolls) {
            QAction* action = addMenuItem(sub, u"mnuText"_s + group + u"Scroll"_s + letter, text,
                                          QKeySequence(u"Shift+Ctrl+F"_s + QString::number(index + 1)));
            action->setCheckable(true);
            const E effect = static_cast<E>(index);
            connect(action, &QAction::triggered, this,
                    [this, effect] { m_editor->scrollSwitch_Click(effect); });
            m_effects[index++] = action;
        }
    }
    effects->addSeparator();
    QMenu* document = effects->addMenu(u"&Document"_s);
    document->setObjectName(u"mnuTextDocument"_s);
    m_effects[6] = addMenuItem(document, u"mnuTextDocumentNoRightClick"_s, u"&Disable Right-Click"_s,
                               QKeySequence(u"Ctrl+F1"_s));
    m_effects[7] =
        addMenuItem(document, u"mnuTextDocumentMusic"_s, u"Background &Music"_s, QKeySequence(u"Ctrl+F2"_s));
    m_effects[6]->setCheckable(true);
    m_effects[7]->setCheckable(true);
    connect(m_effects[6], &QAction::triggered, this,
            [this] { m_editor->mnuTextDocumentNoRightClick_Click(); });
    connect(m_effects[7], &QAction::triggered, this,
            [this] { m_editor->mnuTextDocumentMusic_Click([this] { m_program.buildEffectFragments(); }); });
    effects->addSeparator();
    connect(addMenuItem(effects, u"mnuEffectsAnimatedText"_s, u"Insert &Animated Text"_s),
            &QAction::triggered, this, [this] { m_editor->cmdAnimatedText_Click(); });

    QMenu* help = bar->addMenu(u"&Help"_s);
    help->setObjectName(u"mnuHelp"_s);
    connect(addMenuItem(help, u"mnuHelpHelpTopics"_s, u"&Help Topics"_s, QKeySequence(u"F1"_s)),
            &QAction::triggered, this, [this] { openHelpPage(u"index.html"_s); });
    connect(addMenuItem(help, u"mnuHelpTutorials"_s, u"&Step-By-Step Tutorials"_s), &QAction::triggered, this,
            [this] { openHelpPage(u"tutorials.html"_s); });
    help->addSeparator();
    connect(addMenuItem(help, u"mnuHelpWebsite"_s, u"&Official Website"_s), &QAction::triggered, this,
            &frmMain::openWebsite);
    later(addMenuItem(help, u"mnuHelpUpdates"_s, u"Check For &Updates"_s));
    later(addMenuItem(help, u"mnuHelpAbout"_s, u"&About Listwright"_s));
}

void frmMain::buildToolbar()
{
    m_toolbar = addToolBar(u"Toolbar"_s);
    m_toolbar->setObjectName(u"tlbMain"_s);
    m_toolbar->setMovable(false);
    m_toolbar->setIconSize(QSize(24, 24));
    struct Button
    {
        const char16_t* key;
        const char16_t* tooltip;
        QStyle::StandardPixmap fallback;
        bool ready;
    };
    const Button groups[5][3] = {
        {{u"NewFile", u"New File", QStyle::SP_FileIcon, true},
         {u"OpenFile", u"Open File", QStyle::SP_DialogOpenButton, true},
         {u"SaveFile", u"Save File", QStyle::SP_DialogSaveButton, true}},
        {{u"Cut", u"Cut", QStyle::SP_CustomBase, true},
         {u"Copy", u"Copy", QStyle::SP_CustomBase, true},
         {u"Paste", u"Paste", QStyle::SP_CustomBase, true}},
        {{u"LoadTemplate", u"Pick Template", QStyle::SP_FileDialogDetailedView, true},
         {u"InsertPictures", u"Insert Pictures", QStyle::SP_DirIcon, true},
         {u"CustomizeTemplate", u"Customize Template", QStyle::SP_FileDialogContentsView, true}},
        {{u"AdPreferences", u"Set Preferences For Ad", QStyle::SP_ComputerIcon, true},
         {u"CheckSpelling", u"Check Spelling (Requires MS Word)", QStyle::SP_DialogApplyButton, false},
         {nullptr, nullptr, QStyle::SP_CustomBase, false}},
        {{u"PreviewAd", u"Preview Ad In Browser", QStyle::SP_FileDialogInfoView, true},
         {u"GenerateAd", u"Generate Ad Code", QStyle::SP_DialogYesButton, true},
         {u"SubmitAd", u"Submit Ad to eBay", QStyle::SP_ArrowRight, false}}};
    for (int g = 0; g < 5; ++g) {
        if (g > 0)
            m_toolbar->addSeparator();
        for (const Button& b : groups[g]) {
            if (!b.key)
                continue;
            const QString key = QString::fromUtf16(b.key);
            QAction* action =
                m_toolbar->addAction(pictureIcon(key, b.fallback, style()), QString::fromUtf16(b.tooltip));
            action->setObjectName(u"tlbMain_"_s + key);
            action->setToolTip(QString::fromUtf16(b.tooltip));
            action->setProperty("key", key);
            action->setEnabled(b.ready);
            connect(action, &QAction::triggered, this, [this, key] { tlbMain_ButtonClick(key); });
        }
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
    else if (key == u"PreviewAd")
        m_program.mnuOptionsPreview_Click();
    else if (key == u"GenerateAd")
        m_program.mnuOptionsGenerate_Click();
}

void frmMain::buildControls(QWidget* area)
{
    // Left: the three texts with their sizes and colours, the markup buttons and the description.
    const QStringList sizes = {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s};
    const std::array<QString, 3> rowNames = {u"Title"_s, u"SubTitle"_s, u"Description"_s};
    const std::array<QString, 3> rowCaptions = {u"Title:"_s, u"Sub-Title:"_s, u"Description:"_s};
    const std::array<QString, 4> swatchNames = {u"shpTitleColor"_s, u"ShpSubTitleColor"_s,
                                                u"shpDescriptionColor"_s, u"ShpOptionalColor"_s};
    const std::array<QString, 4> pickerNames = {u"cmdTitleColor"_s, u"cmdSubTitleColor"_s,
                                                u"cmdDescriptionColor"_s, u"CmdOptionalColor"_s};
    for (int r = 0; r < 3; ++r) {
        const int y = 6 + r * 28;
        addLabel(area, u"lbl"_s + rowNames[r], rowCaptions[r], QRect(8, y, r < 2 ? 62 : 120, 24));
        if (r < 2) {
            auto* box = place(new QLineEdit(area), u"txt"_s + rowNames[r], QRect(70, y, 206, 24), u"0020"_s);
            box->installEventFilter(this);
            (r == 0 ? m_title : m_subTitle) = box;
        }
        addLabel(area, u"lblSize"_s + rowNames[r], u"Size:"_s, QRect(282, y, 30, 24), u"2000"_s);
        auto* combo =
            place(new QComboBox(area), u"cbo"_s + rowNames[r] + u"Size"_s, QRect(312, y, 46, 24), u"2000"_s);
        combo->setEditable(true);
        combo->addItems(sizes);
        combo->setToolTip(u"Font size"_s);
        m_sizes[r] = combo;
        auto* picker = addButton(area, pickerNames[r], QString(), QRect(362, y, 24, 24), u"2000"_s);
        picker->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
        picker->setToolTip(u"Choose Color"_s);
        connect(picker, &QPushButton::clicked, this, [this, r] { m_editor->pickColor(ColorOrder[r]); });
        m_swatches[r] = place(new QLabel(area), swatchNames[r], QRect(390, y + 2, 18, 20), u"2000"_s);
    }

    const auto& wraps = wrapButtons();
    const std::array<QStyle::StandardPixmap, 5> iconFallbacks = {QStyle::SP_ArrowUp, QStyle::SP_ArrowDown,
                                                                 QStyle::SP_ToolBarHorizontalExtensionButton,
                                                                 QStyle::SP_ArrowLeft, QStyle::SP_ArrowRight};
    const std::array<QString, 5> iconNames = {u"Superscript"_s, u"Subscript"_s, u"AlignCenter"_s,
                                              u"AlignLeft"_s, u"AlignRight"_s};
    for (int i = 0; i < 10; ++i) {
        const WrapButton& w = wraps[i];
        auto* button =
            place(new QToolButton(area), QString::fromUtf16(w.name), QRect(8 + i * 24, 92, 23, 24), {});
        button->setToolTip(QString::fromUtf16(w.tooltip));
        const QString caption = QString::fromUtf16(w.caption);
        if (caption.isEmpty()) {
            button->setIcon(pictureIcon(iconNames[i - 5], iconFallbacks[i - 5], style()));
        } else {
            button->setText(caption);
            QFont f = button->font();
            f.setBold(i == 0);
            f.setItalic(i == 1);
            f.setUnderline(i == 2);
            f.setStrikeOut(i == 3);
            if (i == 4)
                f.setFamily(u"Courier"_s);
            button->setFont(f);
        }
        connect(button, &QToolButton::clicked, this, [this, i] { m_editor->wrap(i); });
    }
    auto* link = place(new QToolButton(area), u"Command2"_s, QRect(250, 92, 23, 24), {});
    link->setToolTip(u"Insert Hyperlink into description"_s);
    link->setIcon(pictureIcon(u"Hyperlink"_s, QStyle::SP_FileLinkIcon, style()));
    connect(link, &QToolButton::clicked, this, [this] { m_editor->Command2_Click(); });
    auto* image = place(new QToolButton(area), u"cmdPicInsert"_s, QRect(274, 92, 23, 24), {});
    image->setToolTip(u"Insert Image Into Description"_s);
    image->setIcon(pictureIcon(u"InsertImage"_s, QStyle::SP_FileDialogContentsView, style()));
    connect(image, &QToolButton::clicked, this, [this] { m_editor->cmdPicInsert_Click(); });

    const auto& colors = quickColors();
    for (int i = 0; i < 12; ++i) {
        auto* swatch = place(new QToolButton(area), u"cmdQuickColor_"_s + QString::number(i),
                             QRect(302 + (i % 6) * 18, 92 + (i / 6) * 13, 17, 11), u"0000"_s);
        swatch->setToolTip(QString::fromUtf16(colors[i].tooltip));
        swatch->setStyleSheet(u"QToolButton { background-color: "_s + QString::fromUtf16(colors[i].swatch) +
                              u"; border: 1px solid #555; }"_s);
        connect(swatch, &QToolButton::clicked, this, [this, i] { m_editor->cmdQuickColor_Click(i); });
    }

    m_description = place(new QPlainTextEdit(area), u"txtDescription"_s, QRect(8, 120, 400, 264), u"0022"_s);
    m_description->installEventFilter(this);
    // Mouse clicks reach the viewport, not the box itself.
    m_description->viewport()->installEventFilter(this);
    m_description->setTabChangesFocus(true);

    // Right: optional information, emoticons and letter images, the other windows.
    auto* optional = place(new QGroupBox(u"Optional Information"_s, area), u"fraOptional"_s,
                           QRect(415, 2, 230, 188), u"2000"_s);
    m_includeOptional = place(new QCheckBox(u"Include Optional Information"_s, optional),
                              u"chkIncludeOptional"_s, QRect(8, 18, 214, 20), {});
    const std::array<QString, 4> names = {u"txtCondition"_s, u"txtAge"_s, u"txtComments"_s, u"txtShipCost"_s};
    const std::array<QString, 4> captions = {u"Condition:"_s, u"Age:"_s, u"Comments:"_s,
                                             u"Shipping && Handling:"_s};
    for (int i = 0; i < 4; ++i) {
        const int y = 40 + i * 24;
        auto* label = addLabel(optional, u"lbl"_s + names[i].mid(3),
                               QString(captions[i]).replace(u"&&"_s, u"&"_s), QRect(8, y, 128, 22));
        label->setToolTip(label->text());
        m_optional[i] = place(new QLineEdit(optional), names[i], QRect(136, y, 86, 22), {});
    }
    m_poundsLabel = addLabel(optional, u"lblPounds"_s, u"Weight (lb):"_s, QRect(8, 136, 76, 22));
    m_optional[4] = place(new QLineEdit(optional), u"txtPounds"_s, QRect(84, 136, 40, 22), {});
    m_ouncesLabel = addLabel(optional, u"lblOunces"_s, u"(oz):"_s, QRect(132, 136, 34, 22));
    m_optional[5] = place(new QLineEdit(optional), u"txtOunces"_s, QRect(166, 136, 56, 22), {});
    addLabel(optional, u"lblOptionalColor"_s, u"Text Color:"_s, QRect(8, 161, 120, 22));
    auto* optionalPicker = addButton(optional, pickerNames[3], QString(), QRect(128, 160, 24, 24), {});
    optionalPicker->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    optionalPicker->setToolTip(u"Choose Color"_s);
    connect(optionalPicker, &QPushButton::clicked, this, [this] { m_editor->pickColor(C::Optional); });
    m_swatches[3] = place(new QLabel(optional), swatchNames[3], QRect(156, 162, 24, 20), {});

    auto* fun = place(new QGroupBox(u"Emoticons && Animated Text"_s, area), u"fraEmoticons"_s,
                      QRect(415, 192, 230, 102), u"2000"_s);
    auto* previous = place(new QToolButton(fun), u"cmdPreviousEmoticon"_s, QRect(8, 22, 22, 30), {});
    previous->setIcon(pictureIcon(u"ArrowLeft"_s, QStyle::SP_ArrowLeft, style()));
    previous->setToolTip(u"View Previous Graphic"_s);
    m_emoticon = place(new QToolButton(fun), u"cmdEmoticon"_s, QRect(34, 18, 38, 38), {});
    m_emoticon->setIconSize(QSize(28, 28));
    m_emoticon->setToolTip(u"Click To Insert"_s);
    auto* next = place(new QToolButton(fun), u"cmdNextEmoticon"_s, QRect(76, 22, 22, 30), {});
    next->setIcon(pictureIcon(u"ArrowRight"_s, QStyle::SP_ArrowRight, style()));
    next->setToolTip(u"View Next Graphic"_s);
    auto* previews =
        addLabel(fun, u"lblViewEmoticons"_s, u"<a href=\"#\">Previews</a>"_s, QRect(110, 28, 90, 20));
    connect(previous, &QToolButton::clicked, this, [this] {
        m_editor->cmdPreviousEmoticon_Click();
        refreshEmoticon();
    });
    connect(next, &QToolButton::clicked, this, [this] {
        m_editor->cmdNextEmoticon_Click();
        refreshEmoticon();
    });
    connect(m_emoticon, &QToolButton::clicked, this, [this] { m_editor->cmdEmoticon_Click(); });
    connect(previews, &QLabel::linkActivated, this,
            [this] { openPage(m_ds, installFolder() + u"/help/emoticons.html"_s); });
    addLabel(fun, u"lblAnimatedText"_s, u"Animated Text Style:"_s, QRect(8, 58, 200, 16));
    m_letterStyles = place(new QComboBox(fun), u"cboAnimatedText"_s, QRect(8, 74, 176, 24), {});
    for (int i = 0; i < 9; ++i)
        m_letterStyles->addItem(letterStyleName(i));
    auto* animated = place(new QToolButton(fun), u"cmdAnimatedText"_s, QRect(188, 74, 34, 24), {});
    animated->setText(u"Aa"_s);
    animated->setToolTip(u"Insert Animated Text"_s);
    connect(animated, &QToolButton::clicked, this, [this] { m_editor->cmdAnimatedText_Click(); });

    auto* pictures =
        addButton(area, u"cmdPictures"_s, u"&Add Pictures"_s, QRect(415, 298, 112, 26), u"2000"_s);
    auto* customize = addButton(area, u"cmdCustomizeTemplate"_s, u"Customize Template"_s,
                                QRect(415, 326, 126, 26), u"2000"_s);
    auto* preferences =
        addButton(area, u"cmdPreferences"_s, u"Preferences"_s, QRect(531, 298, 114, 26), u"2000"_s);
    auto* defaults =
        addButton(area, u"cmdDefaultColors"_s, u"&Default Colors"_s, QRect(545, 326, 100, 26), u"2000"_s);
    connect(pictures, &QPushButton::clicked, this, &frmMain::showPictures);
    connect(customize, &QPushButton::clicked, this, &frmMain::showCustomizeTemplate);
    connect(preferences, &QPushButton::clicked, this, [this] { showPreferences(0); });
    connect(defaults, &QPushButton::clicked, this, [this] { DefaultColors(m_state, m_ds); });

    auto* site = addLabel(area, u"Label5"_s, u"<a href=\"#\">"_s + Hosts::current().maker + u"</a>"_s,
                          QRect(415, 360, 230, 18), u"2200"_s);
    site->setAlignment(Qt::AlignCenter);
    connect(site, &QLabel::linkActivated, this, &frmMain::openWebsite);
}

void frmMain::bindModels()
{
    AdRecord& ad = m_state.ad;
    auto bindLine = [this, &ad](QLineEdit* box, T field) {
        connect(box, &QLineEdit::textChanged, this, [&ad, field](const QString& t) { ad.setText(field, t); });
    };
    bindLine(m_title, T::Title);
    bindLine(m_subTitle, T::SubTitle);
    const std::array<T, 6> optionalFields = {T::Condition, T::Age,    T::Comments,
                                             T::ShipCost,  T::Pounds, T::Ounces};
    for (int i = 0; i < 6; ++i)
        bindLine(m_optional[i], optionalFields[i]);
    connect(m_description, &QPlainTextEdit::textChanged, this, [this, &ad] {
        const QString text = toModel(m_description->toPlainText());
        if (text != ad.text(T::Description))
            ad.setText(T::Description, text);
    });
    const std::array<T, 3> sizeFields = {T::TitleSize, T::SubTitleSize, T::DescriptionSize};
    for (int r = 0; r < 3; ++r) {
        QComboBox* combo = m_sizes[r];
        const T field = sizeFields[r];
        connect(combo, &QComboBox::textActivated, this,
                [&ad, field](const QString& t) { ad.setText(field, t, false); });
        connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                [&ad, field](const QString& t) { ad.setText(field, t); });
    }
    connect(m_includeOptional, &QCheckBox::toggled, this, [&ad](bool on) { ad.setIncludeOptional(on); });
    connect(m_letterStyles, &QComboBox::currentIndexChanged, this,
            [&ad](int i) { ad.setLetterStyle(qMax(0, i)); });

    connect(&ad, &AdRecord::textChanged, this, [this](T field) { refreshText(static_cast<int>(field)); });
    connect(&ad, &AdRecord::colorChanged, this, &frmMain::refreshColors);
    connect(&m_state, &SharedState::colorsRefreshed, this, &frmMain::refreshColors);
    connect(&ad, &AdRecord::effectChanged, this, &frmMain::refreshEffects);
    connect(&ad, &AdRecord::includeOptionalChanged, this, [this](bool on) {
        const QSignalBlocker block(m_includeOptional);
        m_includeOptional->setChecked(on);
    });
    connect(&ad, &AdRecord::letterStyleChanged, this, [this](int style) {
        const QSignalBlocker block(m_letterStyles);
        m_letterStyles->setCurrentIndex(style);
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
    };
    switch (f) {
    case T::Title:
        setLine(m_title);
        break;
    case T::SubTitle:
        setLine(m_subTitle);
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
        if (toModel(m_description->toPlainText()) != value) {
            const QSignalBlocker block(m_description);
            m_description->setPlainText(toWidget(value));
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
    for (int i = 0; i < 4; ++i)
        m_swatches[i]->setStyleSheet(colorStyle(m_state.ad.color(ColorOrder[i]).value));
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
        m_emoticon->setIcon(QIcon(path));
}

void frmMain::refreshWeightFields()
{
    const Preferences& p = m_state.prefs;
    const bool calculator = p.flag(Preferences::Field::ShowCalc);
    m_optional[4]->setEnabled(calculator);
    m_poundsLabel->setEnabled(calculator);
    // The UPS calculator takes whole pounds only.
    const bool ounces = calculator && !p.flag(Preferences::Field::UseUps);
    m_optional[5]->setEnabled(ounces);
    m_ouncesLabel->setEnabled(ounces);
}

TextBoxState frmMain::textBox(int field) const
{
    if (field == 3) {
        const QString model = m_state.ad.text(T::Description);
        const QTextCursor cursor = m_description->textCursor();
        const int start = widgetToModelPosition(model, cursor.selectionStart());
        const int end = widgetToModelPosition(model, cursor.selectionEnd());
        return {model, start, end - start};
    }
    const QLineEdit* box = field == 1 ? m_title : m_subTitle;
    if (box->hasSelectedText())
        return {box->text(), box->selectionStart(), static_cast<int>(box->selectedText().size())};
    return {box->text(), box->cursorPosition(), 0};
}

void frmMain::setTextBox(int field, const TextBoxState& state)
{
    if (field == 3) {
        m_state.ad.setText(T::Description, state.text);
        refreshText(static_cast<int>(T::Description));
        const QString model = m_state.ad.text(T::Description);
        QTextCursor cursor = m_description->textCursor();
        cursor.setPosition(modelToWidgetPosition(model, state.selStart));
        if (state.selLength > 0)
            cursor.setPosition(modelToWidgetPosition(model, state.selStart + state.selLength),
                               QTextCursor::KeepAnchor);
        m_description->setTextCursor(cursor);
        m_description->setFocus();
        return;
    }
    QLineEdit* box = field == 1 ? m_title : m_subTitle;
    m_state.ad.setText(field == 1 ? T::Title : T::SubTitle, state.text);
    refreshText(static_cast<int>(field == 1 ? T::Title : T::SubTitle));
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
        if (text == m_description)
            m_state.ad.setNoSaving(false);
        text->textCursor().insertText(m_ds.clipboardText());
    }
}

frmPreferences& frmMain::preferencesWindow()
{
    if (!m_preferences)
        m_preferences = std::make_unique<frmPreferences>(m_state, m_program.preferencesWindow(), m_ds, this);
    return *m_preferences;
}

frmImgs& frmMain::picturesWindow()
{
    if (!m_pictures)
        m_pictures = std::make_unique<frmImgs>(m_state, m_ds, this);
    return *m_pictures;
}

frmCustomizeTemplate& frmMain::customizeWindow()
{
    if (!m_customize)
        m_customize = std::make_unique<frmCustomizeTemplate>(m_state, m_ds, this);
    return *m_customize;
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
    if (watched == m_area && type == QEvent::Resize) {
        if (m_area->width() > 0 && m_area->height() > 0 && !(windowState() & Qt::WindowMinimized))
            m_resizer->FormResized(m_area);
    } else if (type == QEvent::MouseButtonPress || type == QEvent::FocusIn) {
        // The emoticon and letter-image commands write into the text box clicked last.
        const int field = watched == m_title                                                 ? 1
                          : watched == m_subTitle                                            ? 2
                          : watched == m_description || watched == m_description->viewport() ? 3
                                                                                             : 0;
        if (field != 0 && type == QEvent::MouseButtonPress) {
            m_state.emoticonTarget = field;
            m_state.letterTarget = field;
        } else if (field == 2 && type == QEvent::FocusIn) {
            m_state.letterTarget = 2;
        }
    } else if (type == QEvent::KeyPress && watched == m_description) {
        // Typing in the description counts as a change again after a generation.
        m_state.ad.setNoSaving(false);
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        m_fileMenu->popup(event->globalPosition().toPoint());
    QMainWindow::mouseReleaseEvent(event);
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (m_program.queryClose())
        event->accept();
    else
        event->ignore();
}

} // namespace lw
