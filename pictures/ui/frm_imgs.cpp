#include "pictures/ui/frm_imgs.h"

#include "core/desktop_services.h"
#include "core/install_folder.h"
#include "core/models/shared_state.h"
#include "generator/blocks.h"
#include "pictures/picture_engine_loader.h"
#include "pictures/thumbnail_size.h"
#include "pictures/ui/ui_frm_imgs.h"
#include "pictures/web_ready.h"
#include "support/ui/form_support.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPixmap>
#include <QPointer>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace lw {

using F = Preferences::Field;

frmImgs::frmImgs(SharedState& state, DesktopServices& ds, QWidget* parent)
    : QDialog(parent), m_state(state), m_ds(ds), m_ui(std::make_unique<Ui::frmImgs>())
{
    m_ui->setupUi(this);
    // The snapshot is taken when the seller comes to the window, not when its own file dialog,
    // prompts or message boxes hand it back.
    connect(new OwnedWindowWatcher(this), &OwnedWindowWatcher::arrived, this, &frmImgs::Form_Activate);
    m_lblImg = controlArray<QLabel, SlotCount>(this, u"lblImg"_s);
    m_txtImage = controlArray<QLineEdit, SlotCount>(this, u"txtImage"_s);
    m_cmdClipboard = controlArray<QToolButton, SlotCount>(this, u"cmdClipboard"_s);
    m_cmdBrowse = controlArray<QPushButton, SlotCount>(this, u"cmdBrowse"_s);
    m_cmdSelectPic = controlArray<QPushButton, SlotCount>(this, u"cmdSelectPic"_s);
    m_lblInfo = controlArray<QLabel, SlotCount>(this, u"lblInfo"_s);

    const QIcon paste = programIcon(u"PasteButton"_s, QStyle::SP_DialogOkButton, this);
    for (int i = 0; i < SlotCount; ++i) {
        m_cmdClipboard[i]->setIcon(paste);
        connect(m_cmdClipboard[i], &QToolButton::clicked, this, [this, i] { cmdClipboard_Click(i); });
        connect(m_cmdBrowse[i], &QPushButton::clicked, this, [this, i] { cmdBrowse_Click(i); });
        connect(m_cmdSelectPic[i], &QPushButton::clicked, this, [this, i] { cmdSelectPic_Click(i); });
        // While picking, a picture typed or pasted into a slot can be selected at once.
        connect(m_txtImage[i], &QLineEdit::textChanged, this, [this, i](const QString& t) {
            if (!m_cmdSelectPic[i]->isHidden())
                m_cmdSelectPic[i]->setEnabled(!t.isEmpty());
        });
    }
    // Shown only while the submission window lets the seller pick a picture.
    hideSelectButtons();
    // Drawn at the screen's scale, so it stays sharp at 150% and 200%.
    m_ui->imgOr->setPixmap(
        QIcon(installPath(u"graphics/Orientation.svg"_s)).pixmap(QSize(24, 18) * devicePixelRatioF()));
    connect(m_ui->cmdCustomSize, &QPushButton::clicked, this, &frmImgs::cmdCustomSize_Click);
    connect(m_ui->cmdChangeOr, &QPushButton::clicked, this, &frmImgs::cmdChangeOr_Click);
    connect(m_ui->cmdPrefOK, &QPushButton::clicked, this, &frmImgs::cmdPrefOK_Click);
    connect(m_ui->cmdPrefCancel, &QPushButton::clicked, this, &frmImgs::cmdPrefCancel_Click);
    connect(m_ui->cmdPrefHelp, &QPushButton::clicked, this, &frmImgs::cmdPrefHelp_Click);

    bindModels();
    for (int i = 0; i < SlotCount; ++i)
        m_snapshot << m_state.pictures.text(i);
}

frmImgs::~frmImgs() = default;

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
    connect(&list, &PictureList::textChanged, this, &frmImgs::lookAtPicture);
    connect(&m_state.prefs, &Preferences::changed, this, [this](F field) {
        if (field == F::FtpAccess || field == F::PreparePictures || field == F::LongestSide)
            for (int i = 0; i < SlotCount; ++i)
                refreshNote(i);
    });
    connect(&list, &PictureList::slotStateChanged, this, &frmImgs::refreshSlotState);
    connect(&list, &PictureList::thumbSizeChanged, this, &frmImgs::refreshThumbSize);
    refreshThumbSize();
}

void frmImgs::refreshSlotText(int i)
{
    showText(m_txtImage[i], m_state.pictures.text(i));
}

void frmImgs::refreshSlotState(int i)
{
    const PictureList::Slot& slot = m_state.pictures.slot(i);
    m_lblImg[i]->setEnabled(slot.enabled);
    m_txtImage[i]->setEnabled(slot.enabled);
    m_cmdClipboard[i]->setEnabled(slot.enabled);
    m_cmdBrowse[i]->setEnabled(slot.browseEnabled);
}

void frmImgs::lookAtPicture(int i)
{
    const QString path = m_state.pictures.text(i);
    // A web address is linked as it stands: only this computer's files are looked at.
    if (!isVisible() || path.isEmpty() || path.contains(u"://"_s)) {
        m_looks[i].reset();
        refreshNote(i);
        return;
    }
    const QFileInfo file(path);
    m_looks[i] = Look{path, file.isFile(), file.size(), {}, false, ++m_asked};
    refreshNote(i);
    if (!m_looks[i]->exists)
        return;
    // Loading the engine and reading a header from a slow disk must not hold up the window.
    m_readers.start([window = QPointer<frmImgs>(this), i, path, asked = m_asked] {
        PictureEngine* engine = pictureEngine();
        const PictureFacts facts = engine ? engine->inspect(path) : PictureFacts{};
        QMetaObject::invokeMethod(QCoreApplication::instance(), [window, i, asked, facts, engine] {
            if (!window || !window->m_looks[i] || window->m_looks[i]->asked != asked)
                return;
            window->m_looks[i]->facts = facts;
            window->m_looks[i]->read = engine != nullptr;
            window->refreshNote(i);
        });
    });
}

void frmImgs::refreshNote(int i)
{
    QLabel* label = m_lblInfo[i];
    const std::optional<Look>& look = m_looks[i];
    if (!look || (look->exists && !look->read)) {
        label->clear();
        label->setToolTip({});
        return;
    }
    const Preferences& p = m_state.prefs;
    const bool prepared = p.flag(F::FtpAccess) && p.flag(F::PreparePictures);
    const QString name = pictureFileName(look->path);
    const WebPlan plan = webPlan(look->facts, name, p.index(F::LongestSide));
    const PictureNote note = pictureNote(look->facts, look->exists, look->bytes, plan, prepared);
    label->setText(note.text);
    label->setStyleSheet(note.warning ? u"color: #b3261e;"_s : QString());
    label->setToolTip(prepared && plan.remoteName != name ? u"Goes up as "_s + plan.remoteName : QString());
}

void frmImgs::refreshThumbSize()
{
    const QString& w = m_state.pictures.thumbWidth();
    const QString& h = m_state.pictures.thumbHeight();
    m_ui->lblX->setText(u"Width: "_s + w);
    m_ui->lblY->setText(u"Height: "_s + h);
    const ThumbOrientation o = orientationFromWidth(w);
    m_ui->imgOr->setGeometry(
        orientationPictureRect(o == ThumbOrientation::Portrait ? o : ThumbOrientation::Landscape));
    // The picture illustrates the two default sizes only.
    m_ui->imgOr->setVisible(isDefaultThumbSize(w, h));
}

void frmImgs::hideSelectButtons()
{
    for (QPushButton* b : m_cmdSelectPic)
        b->hide();
}

void frmImgs::showPicking()
{
    for (int i = 0; i < SlotCount; ++i) {
        if (!m_cmdClipboard[i]->isEnabled())
            continue;
        m_cmdSelectPic[i]->show();
        m_cmdSelectPic[i]->setEnabled(!m_txtImage[i]->text().isEmpty());
    }
    show();
    raise();
    activateWindow();
}

void frmImgs::cmdSelectPic_Click(int i)
{
    const QString t = m_state.pictures.text(i);
    PicturePicks& picks = m_state.picks;
    QString& target = picks.pickingGallery ? picks.galleryChoice : picks.mainChoice;
    if (m_state.prefs.flag(Preferences::Field::FtpAccess)) {
        // A file of this computer goes up under its name; a web address is linked as it stands.
        const QString name = pictureFileName(t);
        const std::optional<Look>& look = m_looks[i];
        // The name the picture goes up under, which a prepared picture may change.
        if (name != t)
            target = look && look->path == t && look->read && m_state.prefs.flag(F::PreparePictures)
                         ? webPlan(look->facts, name, m_state.prefs.index(F::LongestSide)).remoteName
                         : name;
        else if (target.isEmpty() && !t.isEmpty())
            target = t;
    } else {
        target = t;
    }
    hideSelectButtons();
    hide();
    if (pictureSelected)
        pictureSelected(picks.pickingGallery);
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
    const std::optional<QString> chosen =
        m_ds.openFileDialog(u"Image Files|*.jpg;*.gif"_s, m_state.folders.startFolder(FileKind::Picture));
    if (!chosen || chosen->isEmpty())
        return;
    if (QFileInfo(*chosen).isFile()) {
        m_state.folders.remember(FileKind::Picture, *chosen);
        m_state.pictures.setText(i, *chosen);
    } else {
        m_ds.messageBox(u"You have entered an invalid filename."_s, MsgIcon::Information,
                        u"Invalid Filename"_s);
    }
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
        m_ui->imgOr->hide();
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

void frmImgs::reject()
{
    cmdPrefCancel_Click();
}

void frmImgs::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    for (int i = 0; i < SlotCount; ++i)
        lookAtPicture(i);
}

void frmImgs::closeEvent(QCloseEvent* event)
{
    // The window keeps the picture list; closing it is Cancel.
    event->ignore();
    cmdPrefCancel_Click();
}

} // namespace lw
