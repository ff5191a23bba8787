#include "settings/ui/frm_customize_template.h"

#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "core/text_file.h"
#include "settings/ui/ui_frm_customize_template.h"
#include "support/ui/form_support.h"

#include <QCloseEvent>
#include <QSignalBlocker>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

qint64 colorValueOf(const QString& text)
{
    return parseNumber(text).value_or(0);
}

} // namespace

frmCustomizeTemplate::frmCustomizeTemplate(SharedState& state, DesktopServices& ds, QWidget* parent)
    : QDialog(parent), m_state(state), m_ds(ds), m_ui(std::make_unique<Ui::frmCustomizeTemplate>())
{
    m_ui->setupUi(this);
    // The snapshot is taken when the seller comes to the window, not when its colour dialog
    // hands it back.
    connect(new OwnedWindowWatcher(this), &OwnedWindowWatcher::arrived, this,
            &frmCustomizeTemplate::Form_Activate);
    // Tables 1 to 4; the page background (0) has only a box and a paste button.
    m_ShpTableBackground = controlArray<QLabel, 5>(this, u"ShpTableBackground"_s);
    m_cmdTableBackground = controlArray<QPushButton, 5>(this, u"cmdTableBackground"_s);
    m_chkUseTexture = controlArray<QCheckBox, 5>(this, u"chkUseTexture"_s);
    m_txtTableTexture = controlArray<QLineEdit, 5>(this, u"txtTableTexture"_s);
    m_cmdClipboard = controlArray<QToolButton, 5>(this, u"cmdClipboard"_s);

    const QIcon paste = programIcon(u"PasteButton"_s, QStyle::SP_DialogOkButton, this);
    for (int i = 0; i <= 4; ++i) {
        m_cmdClipboard[i]->setIcon(paste);
        connect(m_cmdClipboard[i], &QToolButton::clicked, this, [this, i] { cmdClipboard_Click(i); });
        connect(m_txtTableTexture[i], &QLineEdit::textChanged, this,
                [this, i](const QString& t) { m_state.tables.setTextureBox(i, t); });
    }
    for (int i = 1; i <= 4; ++i) {
        connect(m_cmdTableBackground[i], &QPushButton::clicked, this,
                [this, i] { cmdTableBackground_Click(i); });
        connect(m_chkUseTexture[i], &QCheckBox::clicked, this, [this, i] { chkUseTexture_Click(i); });
    }
    connect(m_ui->cmdCustomizeOK, &QPushButton::clicked, this, &frmCustomizeTemplate::cmdCustomizeOK_Click);
    connect(m_ui->cmdCustomizeCancel, &QPushButton::clicked, this,
            &frmCustomizeTemplate::cmdCustomizeCancel_Click);
    connect(m_ui->cmdCustomizeHelp, &QPushButton::clicked, this,
            &frmCustomizeTemplate::cmdCustomizeHelp_Click);

    for (int i = 0; i <= 4; ++i)
        refresh(i);
    connect(&m_state.tables, &TableBackgrounds::changed, this, &frmCustomizeTemplate::refresh);
    connect(&m_state, &SharedState::colorsRefreshed, this, [this] {
        for (int i = 0; i <= 4; ++i)
            refresh(i);
    });
    for (int i = 1; i <= 4; ++i)
        ApplyTextureState(i);
    takeSnapshot();
}

frmCustomizeTemplate::~frmCustomizeTemplate() = default;

void frmCustomizeTemplate::refresh(int i)
{
    if (i < 0 || i > 4)
        return;
    const TableBackgrounds::Entry& e = m_state.tables.entry(i);
    showText(m_txtTableTexture[i], e.textureBox);
    if (i == 0)
        return;
    m_ShpTableBackground[i]->setStyleSheet(swatchStyle(colorValueOf(e.colorValue)));
    showButtonColor(m_cmdTableBackground[i], colorValueOf(e.colorValue));
    m_ShpTableBackground[i]->setText(m_state.tables.swatchCaption(i));
    {
        const QSignalBlocker block(m_chkUseTexture[i]);
        m_chkUseTexture[i]->setChecked(e.useTexture);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_ShpTableBackground[i], m_chkUseTexture[i], m_cmdClipboard[i],
                                         m_cmdTableBackground[i], m_txtTableTexture[i]})
        w->setEnabled(e.rowEnabled);
    m_txtTableTexture[i]->setVisible(e.useTexture);
    m_cmdClipboard[i]->setVisible(e.useTexture);
    m_ShpTableBackground[i]->setVisible(!e.useTexture);
    m_cmdTableBackground[i]->setVisible(!e.useTexture);
}

void frmCustomizeTemplate::ApplyTextureState(int i)
{
    m_state.tables.applyTextureState(i);
    refresh(i);
    // After an ad file was read the seller is most likely here to check its texture.
    if (m_state.tables.entry(i).useTexture && m_state.file.adLoadedFromFile)
        m_txtTableTexture[i]->setFocus();
}

void frmCustomizeTemplate::chkUseTexture_Click(int i)
{
    // The model runs the texture rule itself when the switch changes.
    m_state.tables.setUseTexture(i, m_chkUseTexture[i]->isChecked());
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

void frmCustomizeTemplate::reject()
{
    cmdCustomizeCancel_Click();
}

void frmCustomizeTemplate::closeEvent(QCloseEvent* event)
{
    // The window holds the table backgrounds; closing it is Cancel.
    event->ignore();
    cmdCustomizeCancel_Click();
}

} // namespace lw
