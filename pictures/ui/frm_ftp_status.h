#pragma once

#include <QDialog>
#include <QPointer>

#include <memory>

namespace Ui {
class frmFTPStatus;
}

namespace lw {

class PictureUpload;
class PicturePreparation;
class AddressCheck;

// Shows which picture is on its way while Generate uploads, with the bytes of that picture and
// of the whole batch, and lets the seller abort; so too while the pictures are prepared for the
// web before, and while their web addresses are checked after. Created once, shown for each upload.
class frmFTPStatus : public QDialog
{
    Q_OBJECT
public:
    explicit frmFTPStatus(QWidget* parent = nullptr);
    ~frmFTPStatus() override;

    // Follows the uploads of `upload`, with their preparation and check, from now on.
    void watch(PictureUpload* upload, PicturePreparation* preparation = nullptr,
               AddressCheck* check = nullptr);
    void cmdAbortFTP_Click();

    // The transfer control's one-byte setting: 10 while the program runs, 0 once the window is
    // unloaded. It tells the transfer nothing; it is kept as the value the window sets.
    int oneByteSetting() const { return m_oneByteSetting; }
    void setOneByteSetting(int value) { m_oneByteSetting = value; }

    // Escape and the close box abort, as the button does.
    void reject() override;

private:
    void itemStarted(int index);
    void progress(qint64 itemSent, qint64 itemTotal, qint64 batchSent, qint64 batchTotal);
    void preparing(int number, int count);
    void uploadEnded();

    std::unique_ptr<Ui::frmFTPStatus> m_ui;
    QPointer<PictureUpload> m_upload;
    QPointer<PicturePreparation> m_preparation;
    QPointer<AddressCheck> m_check;
    int m_oneByteSetting = 0;
};

} // namespace lw
