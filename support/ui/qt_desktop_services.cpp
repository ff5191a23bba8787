#include "support/ui/qt_desktop_services.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QNetworkInformation>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace lw {

QWidget* QtDesktopServices::dialogParent() const
{
    // The window the seller is working in asked. Between two dialogs of one command no window is
    // active for a moment: the second belongs where the first did, not to the main window.
    if (QWidget* active = QApplication::activeWindow()) {
        if (!active->isModal())
            m_lastParent = active;
        return active;
    }
    if (m_lastParent && m_lastParent->isVisible())
        return m_lastParent;
    return m_owner;
}

MsgResult QtDesktopServices::messageBox(const QString& text, MsgStyle style, const QString& title)
{
    QMessageBox box(dialogParent());
    box.setWindowTitle(title.isEmpty() ? QString::fromLatin1(ApplicationTitle) : title);
    box.setText(QString(text).replace(u"\r\n"_s, u"\n"_s));
    switch (style.icon) {
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::None:
        break;
    }
    switch (style.buttons) {
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::RestoreDiscardLater: {
        QPushButton* restore = box.addButton(u"&Restore"_s, QMessageBox::AcceptRole);
        QPushButton* discard = box.addButton(u"&Discard"_s, QMessageBox::DestructiveRole);
        QPushButton* later = box.addButton(u"&Later"_s, QMessageBox::RejectRole);
        box.setDefaultButton(restore);
        box.setEscapeButton(later);
        box.exec();
        return box.clickedButton() == restore   ? MsgResult::Yes
               : box.clickedButton() == discard ? MsgResult::No
                                                : MsgResult::Cancel;
    }
    case MsgButtons::GenerateAnywayCancel: {
        QPushButton* anyway = box.addButton(u"Generate &Anyway"_s, QMessageBox::AcceptRole);
        box.setDefaultButton(box.addButton(QMessageBox::Cancel));
        box.setEscapeButton(QMessageBox::Cancel);
        box.exec();
        return box.clickedButton() == anyway ? MsgResult::Yes : MsgResult::Cancel;
    }
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    default:
        return MsgResult::Ok;
    }
}

QString QtDesktopServices::prompt(const QString& message, const QString& title, const QString& defaultAnswer)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(
        dialogParent(), title.isEmpty() ? QString::fromLatin1(ApplicationTitle) : title,
        QString(message).replace(u"\r\n"_s, u"\n"_s), QLineEdit::Normal, defaultAnswer, &ok);
    return ok ? answer : QString();
}

std::optional<qint64> QtDesktopServices::chooseColor(qint64 initial)
{
    const QColor start(int(initial & 0xFF), int((initial >> 8) & 0xFF), int((initial >> 16) & 0xFF));
    const QColor chosen = QColorDialog::getColor(start, dialogParent());
    if (!chosen.isValid())
        return std::nullopt;
    return qint64(chosen.red()) | (qint64(chosen.green()) << 8) | (qint64(chosen.blue()) << 16);
}

QString QtDesktopServices::qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out << parts[i] + u" ("_s + QString(parts[i + 1]).replace(u';', u' ') + u')';
    return out.join(u";;"_s);
}

std::optional<QString> QtDesktopServices::openFileDialog(const QString& filter, const QString& fileName)
{
    const QString path = QFileDialog::getOpenFileName(dialogParent(), {}, fileName, qtFilter(filter));
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

std::optional<QString> QtDesktopServices::saveFileDialog(const QString& filter, const QString& fileName)
{
    // The program asks about replacing a file itself.
    const QString path = QFileDialog::getSaveFileName(dialogParent(), {}, fileName, qtFilter(filter), nullptr,
                                                      QFileDialog::DontConfirmOverwrite);
    return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
}

void QtDesktopServices::clearClipboard()
{
    QApplication::clipboard()->clear();
}

void QtDesktopServices::setClipboardText(const QString& text)
{
    QApplication::clipboard()->setText(text);
}

QString QtDesktopServices::clipboardText()
{
    return QApplication::clipboard()->text();
}

bool QtDesktopServices::shellOpen(const QString& pathOrAddress, const QString& workingFolder)
{
    Q_UNUSED(workingFolder);
    if (pathOrAddress.contains(u"://"_s) || pathOrAddress.startsWith(u"mailto:"_s))
        return QDesktopServices::openUrl(QUrl(pathOrAddress));
    // A browser started on a missing file would only show its own error page.
    return QFileInfo::exists(pathOrAddress) && QDesktopServices::openUrl(QUrl::fromLocalFile(pathOrAddress));
}

bool QtDesktopServices::startProgram(const QString& path)
{
    return QProcess::startDetached(path, {});
}

std::optional<QString> QtDesktopServices::tempFolder()
{
    const QString folder = QDir::tempPath();
    if (folder.isEmpty())
        return std::nullopt;
    return folder + u'/';
}

bool QtDesktopServices::isConnected()
{
    if (!QNetworkInformation::instance())
        QNetworkInformation::loadDefaultBackend();
    const QNetworkInformation* info = QNetworkInformation::instance();
    // Without a backend nothing says we are offline.
    return !info || info->reachability() == QNetworkInformation::Reachability::Online ||
           info->reachability() == QNetworkInformation::Reachability::Unknown;
}

} // namespace lw
