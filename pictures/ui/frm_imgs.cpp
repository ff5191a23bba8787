#include "pictures/ui/frm_imgs.h"

#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "pictures/thumbnail_size.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

constexpr int RowTop = 22;
constexpr int RowHeight = 28;

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

} // namespace

frmImgs::frmImgs(SharedState& state, DesktopServices& ds, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state), m_ds(ds)
{
    setObjectName(u"frmImgs"_s);
    setWindowTitle(u"Add Images To Your Ad"_s);
    buildControls();
    bindModels();
    setFixedSize(552, 452);
    for (int i = 0; i < SlotCount; ++i)
        m_snapshot << m_state.pictures.text(i);
}

void frmImgs::buildControls()
{
    auto* pictures = place(new QGroupBox(u"Pictures"_s, this), u"frmPictures"_s, QRect(8, 4, 536, 310));
    const QString pasteIcon = installPath(u"graphics/PasteButton.png"_s);
    for (int i = 0; i < SlotCount; ++i) {
        const int y = RowTop + i * RowHeight;
        m_lblImg[i] = place(new QLabel(u"Image "_s + QString::number(i + 1) + u':', pictures),
                            indexed(u"lblImg"_s, i), QRect(8, y, 62, 24));
        m_txtImage[i] = place(new QLineEdit(pictures), indexed(u"txtImage"_s, i), QRect(70, y, 300, 24));
        m_cmdClipboard[i] =
            place(new QToolButton(pictures), indexed(u"cmdClipboard"_s, i), QRect(374, y, 26, 24));
        m_cmdClipboard[i]->setIcon(QFileInfo::exists(pasteIcon)
                                       ? QIcon(pasteIcon)
                                       : style()->standardIcon(QStyle::SP_DialogOkButton));
        m_cmdClipboard[i]->setToolTip(u"Paste From Clipboard"_s);
        m_cmdBrowse[i] =
            place(new QPushButton(u"Browse"_s, pictures), indexed(u"cmdBrowse"_s, i), QRect(404, y, 64, 24));
        m_cmdBrowse[i]->setAutoDefault(false);
        // Shown only while the submission window lets the seller pick a picture.
        m_cmdSelectPic[i] = place(new QPushButton(u"Select"_s, pictures), indexed(u"cmdSelectPic"_s, i),
                                  QRect(472, y, 56, 24));
        m_cmdSelectPic[i]->setAutoDefault(false);
        m_cmdSelectPic[i]->hide();
        connect(m_cmdClipboard[i], &QToolButton::clicked, this, [this, i] { cmdClipboard_Click(i); });
        connect(m_cmdBrowse[i], &QPushButton::clicked, this, [this, i] { cmdBrowse_Click(i); });
    }

    auto* note = place(
        new QLabel(u"To use the BROWSE button next to each image box, you will first need to setup and "
                   u"enable the FTP Access feature of Listwright. Please click the help button for more "
                   u"information."_s,
                   this),
        u"Label1"_s, QRect(12, 318, 528, 44));
    note->setWordWrap(true);

    auto* frame = place(new QGroupBox(u"Thumbnail Size"_s, this), u"Frame1"_s, QRect(8, 364, 262, 80));
    auto* custom =
        place(new QPushButton(u"Custom &Preview Size"_s, frame), u"cmdCustomSize"_s, QRect(8, 20, 132, 24));
    auto* turn =
        place(new QPushButton(u"&Change Orientation"_s, frame), u"cmdChangeOr"_s, QRect(8, 48, 132, 24));
    for (QPushButton* b : {custom, turn})
        b->setAutoDefault(false);
    m_lblX = place(new QLabel(frame), u"lblX"_s, QRect(146, 22, 76, 20));
    m_lblY = place(new QLabel(frame), u"lblY"_s, QRect(146, 46, 76, 20));
    m_imgOr = place(new QLabel(frame), u"imgOr"_s, orientationPictureRect(ThumbOrientation::Landscape));
    m_imgOr->setPixmap(QPixmap(installPath(u"graphics/Orientation.png"_s)));
    m_imgOr->setScaledContents(true);
    connect(custom, &QPushButton::clicked, this, &frmImgs::cmdCustomSize_Click);
    connect(turn, &QPushButton::clicked, this, &frmImgs::cmdChangeOr_Click);

    auto* ok = place(new QPushButton(u"&OK"_s, this), u"cmdPrefOK"_s, QRect(288, 414, 80, 28));
    auto* cancel = place(new QPushButton(u"&Cancel"_s, this), u"cmdPrefCancel"_s, QRect(374, 414, 80, 28));
    auto* help = place(new QPushButton(u"&Help"_s, this), u"cmdPrefHelp"_s, QRect(460, 414, 80, 28));
    for (QPushButton* b : {ok, cancel, help})
        b->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &frmImgs::cmdPrefOK_Click);
    connect(cancel, &QPushButton::clicked, this, &frmImgs::cmdPrefCancel_Click);
    connect(help, &QPushButton::clicked, this, &frmImgs::cmdPrefHelp_Click);
}

void frmImgs::bindModels()
{
    PictureList& list = m_state.pictures;
    for (int i = 0; i < SlotCount; ++i) {
        connect(m_txtImage[i], &QLineEdit::textChanged, this,
                [&list, i](const QString& t) { list.setText(i, t); });
        refreshSlotText(i);
        refreshSlotState(i);
    }
    connect(&list, &PictureList::textChanged, this, &frmImgs::refreshSlotText);
    connect(&list, &PictureList::slotStateChanged, this, &frmImgs::refreshSlotState);
    connect(&list, &PictureList::thumbSizeChanged, this, &frmImgs::refreshThumbSize);
    refreshThumbSize();
}

void frmImgs::refreshSlotText(int i)
{
    const QString& text = m_state.pictures.text(i);
    if (m_txtImage[i]->text() == text)
        return;
    const QSignalBlocker block(m_txtImage[i]);
    m_txtImage[i]->setText(text);
}

void frmImgs::refreshSlotState(int i)
{
    const PictureList::Slot& slot = m_state.pictures.slot(i);
    m_lblImg[i]->setEnabled(slot.enabled);
    m_txtImage[i]->setEnabled(slot.enabled);
    m_cmdClipboard[i]->setEnabled(slot.enabled);
    m_cmdBrowse[i]->setEnabled(slot.browseEnabled);
}

void frmImgs::refreshThumbSize()
{
    const QString& w = m_state.pictures.thumbWidth();
    const QString& h = m_state.pictures.thumbHeight();
    m_lblX->setText(u"Width: "_s + w);
    m_lblY->setText(u"Height: "_s + h);
    const ThumbOrientation o = orientationFromWidth(w);
    m_imgOr->setGeometry(
        orientationPictureRect(o == ThumbOrientation::Portrait ? o : ThumbOrientation::Landscape));
    // The picture illustrates the two default sizes only.
    m_imgOr->setVisible(isDefaultThumbSize(w, h));
}

void frmImgs::hideSelectButtons()
{
    for (QPushButton* b : m_cmdSelectPic)
        b->hide();
}

void frmImgs::Form_Activate()
{
    refreshThumbSize();
    m_snapshot.clear();
    for (int i = 0; i < SlotCount; ++i)
        m_snapshot << m_state.pictures.text(i);
}

void frmImgs::cmdPrefOK_Click()
{
    hideSelectButtons();
    hide();
}

void frmImgs::cmdPrefCancel_Click()
{
    hideSelectButtons();
    for (int i = 0; i < SlotCount && i < m_snapshot.size(); ++i)
        m_state.pictures.setText(i, m_snapshot.at(i));
    hide();
}

void frmImgs::cmdPrefHelp_Click()
{
    openPage(m_ds, installFolder() + u"/help/add-images.html"_s);
}

void frmImgs::cmdBrowse_Click(int i)
{
    const std::optional<QString> chosen = m_ds.openFileDialog(u"Image Files|*.jpg;*.gif"_s, QString());
    if (!chosen || chosen->isEmpty())
        return;
    if (QFileInfo(*chosen).isFile())
        m_state.pictures.setText(i, *chosen);
    else
        m_ds.messageBox(u"You have entered an invalid filename."_s, MsgIcon::Information,
                        u"Invalid Filename"_s);
}

void frmImgs::cmdClipboard_Click(int i)
{
    m_state.pictures.setText(i, m_ds.clipboardText());
}

void frmImgs::cmdChangeOr_Click()
{
    PictureList& list = m_state.pictures;
    const ThumbOrientation o = orientationFromWidth(list.thumbWidth());
    if (o == ThumbOrientation::Custom) {
        const MsgResult answer =
            m_ds.messageBox(u"Are you sure you wish to revert back to the default image dimensions?"_s,
                            MsgButtons::YesNo, u"Default Image Dimensions"_s);
        if (answer != MsgResult::Yes)
            return;
    }
    const ThumbSize next = defaultThumbSize(o == ThumbOrientation::Landscape ? ThumbOrientation::Portrait
                                                                             : ThumbOrientation::Landscape);
    list.setThumbSize(next.width, next.height);
    refreshThumbSize();
}

void frmImgs::cmdCustomSize_Click()
{
    PictureList& list = m_state.pictures;
    list.setThumbWidth(m_ds.prompt(customWidthMessage(list.thumbWidth()), u"Custom Image Width"_s));
    list.setThumbHeight(m_ds.prompt(customHeightMessage(list.thumbHeight()), u"Custom Image Height"_s));
    if (validCustomSize(list.thumbWidth(), list.thumbHeight())) {
        refreshThumbSize();
        m_imgOr->hide();
        return;
    }
    m_ds.messageBox(
        u"The width and height of the thumbnail images must both be greater than zero and must only "
        u"contain numbers.  The width cannot exceed 640 pixels and the height cannot exceed 480 pixels, "
        u"as such a large preview image size will result in low-resolution users having difficulty "
        u"viewing your ad comfortably.  The default values (200 x 150) will now be assigned."_s,
        MsgIcon::Exclamation, u"Invalid Preview Dimensions"_s);
    const ThumbSize reset = defaultThumbSize(ThumbOrientation::Landscape);
    list.setThumbSize(reset.width, reset.height);
    refreshThumbSize();
}

bool frmImgs::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void frmImgs::closeEvent(QCloseEvent* event)
{
    // The window keeps the picture list; closing it is Cancel.
    event->ignore();
    cmdPrefCancel_Click();
}

} // namespace lw
