#include "settings/ui/frm_customize_template.h"

#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/text_file.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

template <typename W> W* place(W* widget, const QString& name, const QRect& geometry)
{
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

QString indexed(const QString& name, int i)
{
    return name + u'_' + QString::number(i);
}

qint64 colorValueOf(const QString& text)
{
    return parseNumber(text).value_or(0);
}

QString swatchStyle(qint64 value)
{
    return u"background-color: "_s + ColorToHtml(value) + u"; border: 1px solid #7a7a7a;"_s;
}

} // namespace

frmCustomizeTemplate::frmCustomizeTemplate(SharedState& state, DesktopServices& ds, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state), m_ds(ds)
{
    setObjectName(u"frmCustomizeTemplate"_s);
    setWindowTitle(u"Customize Template"_s);
    buildControls();
    for (int i = 0; i <= 4; ++i)
        refresh(i);
    connect(&m_state.tables, &TableBackgrounds::changed, this, &frmCustomizeTemplate::refresh);
    connect(&m_state, &SharedState::colorsRefreshed, this, [this] {
        for (int i = 0; i <= 4; ++i)
            refresh(i);
    });
    setFixedSize(440, 262);
    for (int i = 1; i <= 4; ++i)
        ApplyTextureState(i);
    takeSnapshot();
}

void frmCustomizeTemplate::buildControls()
{
    const QString pasteIcon = installPath(u"graphics/PasteButton.png"_s);
    auto makePaste = [this, &pasteIcon](QWidget* parent, int i, const QRect& geometry) {
        auto* b = place(new QToolButton(parent), indexed(u"cmdClipboard"_s, i), geometry);
        b->setIcon(QFileInfo::exists(pasteIcon) ? QIcon(pasteIcon)
                                                : style()->standardIcon(QStyle::SP_DialogOkButton));
        b->setToolTip(u"Paste From Clipboard"_s);
        connect(b, &QToolButton::clicked, this, [this, i] { cmdClipboard_Click(i); });
        m_clipboard[i] = b;
    };
    auto makeBox = [this](QWidget* parent, int i, const QRect& geometry) {
        m_texture[i] = place(new QLineEdit(parent), indexed(u"txtTableTexture"_s, i), geometry);
        connect(m_texture[i], &QLineEdit::textChanged, this,
                [this, i](const QString& t) { m_state.tables.setTextureBox(i, t); });
    };

    auto* tables = place(new QGroupBox(u"Tables"_s, this), u"frmTables"_s, QRect(8, 4, 424, 150));
    for (int i = 1; i <= 4; ++i) {
        const int y = 22 + (i - 1) * 30;
        place(new QLabel(u"Table "_s + QString::number(i) + u" Background:"_s, tables),
              indexed(u"lblTableBackground"_s, i), QRect(8, y, 124, 24));
        // The swatch and the colour button share their places with the texture box and paste button.
        m_swatch[i] = place(new QLabel(tables), indexed(u"ShpTableBackground"_s, i), QRect(134, y, 160, 24));
        m_swatch[i]->setAlignment(Qt::AlignCenter);
        makeBox(tables, i, QRect(134, y, 160, 24));
        m_colorButton[i] =
            place(new QPushButton(tables), indexed(u"cmdTableBackground"_s, i), QRect(298, y, 26, 24));
        m_colorButton[i]->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
        m_colorButton[i]->setToolTip(u"Choose Color"_s);
        m_colorButton[i]->setAutoDefault(false);
        connect(m_colorButton[i], &QPushButton::clicked, this, [this, i] { cmdTableBackground_Click(i); });
        makePaste(tables, i, QRect(298, y, 26, 24));
        m_useTexture[i] = place(new QCheckBox(u"Use Texture"_s, tables), indexed(u"chkUseTexture"_s, i),
                                QRect(330, y, 90, 24));
        connect(m_useTexture[i], &QCheckBox::clicked, this, [this, i] { chkUseTexture_Click(i); });
    }

    auto* page = place(new QGroupBox(u"Background"_s, this), u"frmBackground"_s, QRect(8, 158, 424, 56));
    place(new QLabel(u"Page Background:"_s, page), u"lblPageBackground"_s, QRect(8, 22, 124, 24));
    makeBox(page, 0, QRect(134, 22, 160, 24));
    makePaste(page, 0, QRect(298, 22, 26, 24));

    auto* ok = place(new QPushButton(u"&OK"_s, this), u"cmdCustomizeOK"_s, QRect(180, 224, 80, 28));
    auto* cancel =
        place(new QPushButton(u"&Cancel"_s, this), u"cmdCustomizeCancel"_s, QRect(266, 224, 80, 28));
    auto* help = place(new QPushButton(u"&Help"_s, this), u"cmdCustomizeHelp"_s, QRect(352, 224, 80, 28));
    for (QPushButton* b : {ok, cancel, help})
        b->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &frmCustomizeTemplate::cmdCustomizeOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmCustomizeTemplate::cmdCustomizeCancel_Click);
    connect(help, &QPushButton::clicked, this, &frmCustomizeTemplate::cmdCustomizeHelp_Click);
}

void frmCustomizeTemplate::refresh(int i)
{
    if (i < 0 || i > 4)
        return;
    const TableBackgrounds::Entry& e = m_state.tables.entry(i);
    if (m_texture[i]->text() != e.textureBox) {
        const QSignalBlocker block(m_texture[i]);
        m_texture[i]->setText(e.textureBox);
    }
    if (i == 0)
        return;
    m_swatch[i]->setStyleSheet(swatchStyle(colorValueOf(e.colorValue)));
    m_swatch[i]->setText(m_state.tables.swatchCaption(i));
    {
        const QSignalBlocker block(m_useTexture[i]);
        m_useTexture[i]->setChecked(e.useTexture);
    }
    for (QWidget* w : std::initializer_list<QWidget*>{m_swatch[i], m_useTexture[i], m_clipboard[i],
                                                      m_colorButton[i], m_texture[i]})
        w->setEnabled(e.rowEnabled);
    m_texture[i]->setVisible(e.useTexture);
    m_clipboard[i]->setVisible(e.useTexture);
    m_swatch[i]->setVisible(!e.useTexture);
    m_colorButton[i]->setVisible(!e.useTexture);
}

void frmCustomizeTemplate::ApplyTextureState(int i)
{
    m_state.tables.applyTextureState(i);
    refresh(i);
    // After an ad file was read the seller is most likely here to check its texture.
    if (m_state.tables.entry(i).useTexture && m_state.file.adLoadedFromFile)
        m_texture[i]->setFocus();
}

void frmCustomizeTemplate::chkUseTexture_Click(int i)
{
    // The model runs the texture rule itself when the switch changes.
    m_state.tables.setUseTexture(i, m_useTexture[i]->isChecked());
    ApplyTextureState(i);
}

void frmCustomizeTemplate::cmdTableBackground_Click(int i)
{
    m_state.ad.setAdChanged(true);
    const std::optional<qint64> chosen = m_ds.chooseColor(colorValueOf(m_state.tables.entry(i).colorValue));
    if (!chosen)
        return;
    m_state.tables.setColorValue(i, *chosen);
}

void frmCustomizeTemplate::cmdClipboard_Click(int i)
{
    m_state.tables.setTextureBox(i, m_ds.clipboardText());
}

void frmCustomizeTemplate::takeSnapshot()
{
    const TableBackgrounds& t = m_state.tables;
    m_snapshot.clear();
    for (int i = 1; i <= 4; ++i)
        m_snapshot << t.entry(i).colorValue;
    for (int i = 0; i <= 4; ++i)
        m_snapshot << t.entry(i).textureBox;
    for (int i = 1; i <= 4; ++i)
        m_snapshot << (t.entry(i).useTexture ? u"1"_s : u"0"_s);
}

void frmCustomizeTemplate::Form_Activate()
{
    takeSnapshot();
}

void frmCustomizeTemplate::cmdCustomizeOK_Click()
{
    for (int i = 1; i <= 4; ++i)
        ApplyTextureState(i);
    m_state.tables.setTexture(0, m_state.tables.entry(0).textureBox);
    hide();
}

void frmCustomizeTemplate::cmdCustomizeCancel_Click()
{
    TableBackgrounds& t = m_state.tables;
    // Colours, then boxes, then switches: a switch that changes takes the restored box text.
    for (int i = 1; i <= 4; ++i)
        t.setColorValue(i, colorValueOf(m_snapshot.at(i - 1)));
    for (int i = 0; i <= 4; ++i)
        t.setTextureBox(i, m_snapshot.at(4 + i));
    for (int i = 1; i <= 4; ++i) {
        const bool on = m_snapshot.at(8 + i) == u"1";
        if (t.entry(i).useTexture != on) {
            t.setUseTexture(i, on);
            ApplyTextureState(i);
        }
    }
    hide();
}

void frmCustomizeTemplate::cmdCustomizeHelp_Click()
{
    openPage(m_ds, installFolder() + u"/help/customize-template.html"_s);
}

bool frmCustomizeTemplate::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void frmCustomizeTemplate::closeEvent(QCloseEvent* event)
{
    // The window holds the table backgrounds; closing it is Cancel.
    event->ignore();
    cmdCustomizeCancel_Click();
}

} // namespace lw
