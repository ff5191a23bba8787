#pragma once

#include "core/desktop_services.h"

#include <cstdio>

namespace lw {

// The desktop of the headless generate command: message boxes go to standard
// error as "TITLE: TEXT" (after a prefix that names the ad when there are several), questions take
// their safe answer, nothing opens.
class HeadlessDesktopServices : public DesktopServices
{
public:
    explicit HeadlessDesktopServices(std::FILE* messages = stderr, QString prefix = {})
        : m_messages(messages), m_prefix(std::move(prefix))
    {
    }
    // The title of the last message shown: what stopped a command.
    const QString& lastTitle() const { return m_lastTitle; }

    MsgResult messageBox(const QString& text, MsgStyle style, const QString& title = {}) override;
    QString prompt(const QString&, const QString& = {}, const QString& = {}) override { return {}; }
    std::optional<qint64> chooseColor(qint64) override { return std::nullopt; }
    std::optional<QString> openFileDialog(const QString&, const QString& = {}) override
    {
        return std::nullopt;
    }
    std::optional<QString> saveFileDialog(const QString&, const QString& = {}) override
    {
        return std::nullopt;
    }
    void clearClipboard() override { m_clipboard.clear(); }
    void setClipboardText(const QString& text) override { m_clipboard = text; }
    QString clipboardText() override { return m_clipboard; }
    bool shellOpen(const QString&, const QString&) override { return true; }
    bool startProgram(const QString&) override { return false; }
    std::optional<QString> tempFolder() override;
    bool isConnected() override { return true; }

private:
    std::FILE* m_messages;
    QString m_prefix;
    QString m_lastTitle;
    QString m_clipboard;
};

} // namespace lw
