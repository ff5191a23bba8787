#pragma once

#include "core/desktop_services.h"

#include <QList>
#include <QQueue>
#include <QStringList>

namespace lw {

// Test stand-in for the desktop: answers are queued per call kind and every
// message box, prompt and dialog is recorded.
class ScriptedDesktopServices : public DesktopServices
{
public:
    enum class Kind
    {
        MessageBox,
        Prompt,
        ColorDialog,
        OpenDialog,
        SaveDialog
    };
    struct Record
    {
        Kind kind;
        QString title;
        QString text;
        MsgStyle style;
    };

    // Unanswered message boxes return OK for OK-only styles and Cancel otherwise;
    // unanswered prompts return "", unanswered dialogs Cancel.
    void queueMessageAnswer(MsgResult result) { m_messageAnswers.enqueue(result); }
    void queuePromptAnswer(const QString& answer) { m_promptAnswers.enqueue(answer); }
    void queueColor(std::optional<qint64> color) { m_colors.enqueue(color); }
    void queueOpenFile(std::optional<QString> path) { m_openFiles.enqueue(path); }
    void queueSaveFile(std::optional<QString> path) { m_saveFiles.enqueue(path); }
    void setTempFolder(std::optional<QString> folder) { m_tempFolder = std::move(folder); }
    void setConnected(bool connected) { m_connected = connected; }
    void setStartProgramResult(bool ok) { m_startResult = ok; }
    void setShellOpenResult(bool ok) { m_shellOpenResult = ok; }

    const QList<Record>& records() const { return m_records; }
    QList<Record> messages() const;
    QStringList messageTitles() const;
    void clearRecords() { m_records.clear(); }
    const QStringList& shellOpened() const { return m_shellOpened; }
    const QStringList& programsStarted() const { return m_started; }
    int clipboardClears() const { return m_clipboardClears; }

    MsgResult messageBox(const QString& text, MsgStyle style, const QString& title = {}) override;
    QString prompt(const QString& message, const QString& title = {},
                   const QString& defaultAnswer = {}) override;
    std::optional<qint64> chooseColor(qint64 initial) override;
    std::optional<QString> openFileDialog(const QString& filter, const QString& fileName = {}) override;
    std::optional<QString> saveFileDialog(const QString& filter, const QString& fileName = {}) override;
    void clearClipboard() override;
    void setClipboardText(const QString& text) override;
    QString clipboardText() override { return m_clipboard; }
    bool shellOpen(const QString& pathOrAddress, const QString& workingFolder) override;
    bool startProgram(const QString& path) override;
    std::optional<QString> tempFolder() override { return m_tempFolder; }
    bool isConnected() override { return m_connected; }

private:
    QQueue<MsgResult> m_messageAnswers;
    QQueue<QString> m_promptAnswers;
    QQueue<std::optional<qint64>> m_colors;
    QQueue<std::optional<QString>> m_openFiles;
    QQueue<std::optional<QString>> m_saveFiles;
    QList<Record> m_records;
    QStringList m_shellOpened;
    QStringList m_started;
    QString m_clipboard;
    int m_clipboardClears = 0;
    std::optional<QString> m_tempFolder;
    bool m_connected = true;
    bool m_startResult = true;
    bool m_shellOpenResult = true;
};

} // namespace lw
