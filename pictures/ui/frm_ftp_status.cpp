#include "pictures/ui/frm_ftp_status.h"

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

void frmFTPStatus::watch(PictureUpload* upload)
{
    if (m_upload)
        disconnect(m_upload, nullptr, this, nullptr);
    m_upload = upload;
    if (!upload)
        return;
    connect(upload, &PictureUpload::itemStarted, this, &frmFTPStatus::itemStarted);
    connect(upload, &PictureUpload::progress, this, &frmFTPStatus::progress);
    connect(upload, &PictureUpload::finished, this, &QWidget::hide);
}

void frmFTPStatus::itemStarted(int index)
{
    const QList<UploadItem>& items = m_upload->request().items;
    if (index < 0 || index >= items.size())
        return;
    m_ui->lblCurrentImage->setText(uploadItemCaption(items.at(index)));
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
    // The upload says it was aborted through its finished signal, which hides the window.
    if (m_upload)
        m_upload->abort();
}

void frmFTPStatus::reject()
{
    cmdAbortFTP_Click();
}

} // namespace lw
