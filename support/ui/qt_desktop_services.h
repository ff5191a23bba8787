#pragma once

#include "core/desktop_services.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QWidget;

namespace lw {

// The desktop services on Qt Widgets: message boxes, prompts and dialogs owned by a window.
class QtDesktopServices : public DesktopServices
{
public:
    explicit QtDesktopServices(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    MsgResult messageBox(const QString& text, MsgStyle style, const QString& title = {}) override;
    QString prompt(const QString& message, const QString& title = {},
                   const QString& defaultAnswer = {}) override;
    std::optional<qint64> chooseColor(qint64 initial) override;
    std::optional<QString> openFileDialog(const QString& filter, const QString& fileName = {}) override;
    std::optional<QString> saveFileDialog(const QString& filter, const QString& fileName = {}) override;
    void clearClipboard() override;
    void setClipboardText(const QString& text) override;
    QString clipboardText() override;
    bool shellOpen(const QString& pathOrAddress, const QString& workingFolder) override;
    bool startProgram(const QString& path) override;
    std::optional<QString> tempFolder() override;
    bool isConnected() override;

    // The window that message boxes and dialogs belong to: the active one, else the owner.
    QWidget* dialogParent() const;
    // The desktop's opener that shellOpen runs, found on the path; Qt's own call when there is none.
    void setOpener(const QString& program) { m_opener = program; }
    // "Auction Ad Files|*.zad" as a Qt file dialog filter.
    static QString qtFilter(const QString& filter);

private:
    QWidget* m_owner;
    QString m_opener = QStringLiteral("xdg-open");
    // The openers still running; they end with these services.
    std::unique_ptr<QObject> m_openers = std::make_unique<QObject>();
    mutable QPointer<QWidget> m_lastParent;
};

} // namespace lw
