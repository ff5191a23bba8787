#include "pictures/ui/frm_ftp_status.h"

#include "pictures/address_check.h"
#include "pictures/picture_preparation.h"
#include "pictures/picture_upload.h"
#include "pictures/ui/ui_frm_ftp_status.h"
#include "pictures/upload_plan.h"
#include "support/ui/form_support.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lw {

namespace {
// Progress bars count in parts of a thousand: byte counts overflow their int range.
int permille(qint64 part, qint64 whole)
{
    return whole > 0 ? int(std::clamp<qint64>(part * 1000 / whole, 0, 1000)) : 0;
}
} // namespace

frmFTPStatus::frmFTPStatus(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::frmFTPStatus>())
{
    m_ui->setupUi(this);
    // Where the seller left it, as the other windows.
    new OwnedWindowWatcher(this);
    m_ui->prgImage->setRange(0, 1000);
    m_ui->prgAllImages->setRange(0, 1000);
    connect(m_ui->cmdAbortFTP, &QPushButton::clicked, this, &frmFTPStatus::cmdAbortFTP_Click);
}

frmFTPStatus::~frmFTPStatus()
{
    // Unloading the window gives the transfer setting back its resting value.
    m_oneByteSetting = 0;
}

void frmFTPStatus::watch(PictureUpload* upload, PicturePreparation* preparation, AddressCheck* check)
{
    for (QObject* watched : std::initializer_list<QObject*>{m_upload, m_preparation, m_check})
        if (watched)
            disconnect(watched, nullptr, this, nullptr);
    m_upload = upload;
    m_preparation = preparation;
    m_check = check;
    if (upload) {
        connect(upload, &PictureUpload::itemStarted, this, &frmFTPStatus::itemStarted);
        connect(upload, &PictureUpload::progress, this, &frmFTPStatus::progress);
        connect(upload, &PictureUpload::finished, this, &frmFTPStatus::uploadEnded);
    }
    if (preparation) {
        connect(preparation, &PicturePreparation::pictureStarted, this, &frmFTPStatus::preparing);
        // A successful preparation hands over to the upload, which shows its own first picture.
        connect(preparation, &PicturePreparation::finished, this, [this](bool ok) {
            if (!ok)
                hide();
        });
    }
    if (check)
        connect(check, &AddressCheck::finished, this, &QWidget::hide);
}

void frmFTPStatus::preparing(int number, int count)
{
    m_ui->lblCurrentImage->setText(u"Preparing picture %1 of %2"_s.arg(number).arg(count));
    // How far one picture is cannot be told: the bar says that work goes on.
    m_ui->prgImage->setRange(0, 0);
    m_ui->prgAllImages->setValue(permille(number - 1, count));
    show();
}

void frmFTPStatus::uploadEnded()
{
    // The check of the web addresses follows a finished upload; it is given up at a time limit.
    if (m_check && m_check->isRunning()) {
        m_ui->lblCurrentImage->setText(u"Checking the pictures at their web addresses"_s);
        m_ui->prgImage->setRange(0, 0);
        m_ui->prgAllImages->setValue(1000);
        return;
    }
    hide();
}

void frmFTPStatus::itemStarted(int index)
{
    const QList<UploadItem>& items = m_upload->request().items;
    if (index < 0 || index >= items.size())
        return;
    m_ui->lblCurrentImage->setText(uploadItemCaption(items.at(index)));
    m_ui->prgImage->setRange(0, 1000);
    m_ui->prgImage->setValue(0);
    if (index == 0)
        m_ui->prgAllImages->setValue(0);
    show();
}

void frmFTPStatus::progress(qint64 itemSent, qint64 itemTotal, qint64 batchSent, qint64 batchTotal)
{
    m_ui->prgImage->setValue(permille(itemSent, itemTotal));
    m_ui->prgAllImages->setValue(permille(batchSent, batchTotal));
}

void frmFTPStatus::cmdAbortFTP_Click()
{
    // Each says it was aborted through its finished signal, which hides the window.
    if (m_preparation && m_preparation->isRunning())
        m_preparation->abort();
    else if (m_check && m_check->isRunning())
        m_check->abort();
    else if (m_upload)
        m_upload->abort();
}

void frmFTPStatus::reject()
{
    cmdAbortFTP_Click();
}

} // namespace lw
