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
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

// How long the desktop's opener may take to find and start a browser.
constexpr int OpenerPatience = 20000;

// What the opener said when it gave up: the last lines of its error output, which say why (the ones
// before are its own tries), else its exit status.
QString openerFailure(QProcess& process, const QString& opener, int code)
{
    const QString name = QFileInfo(opener).fileName();
    const QStringList lines = QString::fromLocal8Bit(process.readAllStandardError()).trimmed().split(u'\n');
    const QString said = lines.mid(qMax(0, lines.size() - 4)).join(u"\r\n"_s).trimmed();
    if (said.isEmpty())
        return u"The desktop's opener ("_s + name + u") ended with status "_s + QString::number(code) + u'.';
    return u"The desktop's opener ("_s + name + u") said:\r\n"_s + said;
}

} // namespace

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
    const bool address = pathOrAddress.contains(u"://"_s) || pathOrAddress.startsWith(u"mailto:"_s);
    // A browser started on a missing file would only show its own error page.
    if (!address && !QFileInfo::exists(pathOrAddress))
        return false;
    const QUrl url = address ? QUrl(pathOrAddress) : QUrl::fromLocalFile(pathOrAddress);
    const QString opener = QStandardPaths::findExecutable(m_opener);
    if (opener.isEmpty())
        return QDesktopServices::openUrl(url);
    // Qt's own call reports success as soon as the opener has started; whether the opener found a
    // browser only its exit status and error output tell, so it is run here and listened to.
    auto* process = new QProcess(m_openers.get());
    process->setStandardOutputFile(QProcess::nullDevice());
    if (QFileInfo(workingFolder).isDir())
        process->setWorkingDirectory(workingFolder);
    process->start(opener, {pathOrAddress});
    if (!process->waitForStarted(5000)) {
        delete process;
        return QDesktopServices::openUrl(url);
    }
    QObject::connect(process, &QProcess::finished, process,
                     [this, process, pathOrAddress, opener](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (process->property("browserUp").toBool() ||
                             (status == QProcess::NormalExit && code == 0))
                             return;
                         messageBox(openPageFailedText(pathOrAddress, openerFailure(*process, opener, code)),
                                    MsgIcon::Exclamation, QString::fromLatin1(OpenPageFailedTitle));
                     });
    // An opener that runs the browser itself keeps running as long as the browser does: by then it
    // has found one, and what the browser writes is none of our business.
    QTimer::singleShot(OpenerPatience, process, [process] {
        process->setProperty("browserUp", true);
        process->closeReadChannel(QProcess::StandardError);
    });
    return true;
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
