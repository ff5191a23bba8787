#include "core/scripted_desktop_services.h"

using namespace Qt::StringLiterals;

namespace lw {

QList<ScriptedDesktopServices::Record> ScriptedDesktopServices::messages() const
{
    QList<Record> out;
    for (const Record& r : m_records)
        if (r.kind == Kind::MessageBox)
            out.append(r);
    return out;
}

QStringList ScriptedDesktopServices::messageTitles() const
{
    QStringList out;
    for (const Record& r : messages())
        out.append(r.title);
    return out;
}

MsgResult ScriptedDesktopServices::messageBox(const QString& text, MsgStyle style, const QString& title)
{
    m_records.append(
        {Kind::MessageBox, title.isEmpty() ? QString::fromLatin1(ApplicationTitle) : title, text, style});
    if (!m_messageAnswers.isEmpty())
        return m_messageAnswers.dequeue();
    return style.buttons == MsgButtons::Ok ? MsgResult::Ok : MsgResult::Cancel;
}

QString ScriptedDesktopServices::prompt(const QString& message, const QString& title,
                                        const QString& defaultAnswer)
{
    m_records.append({Kind::Prompt, title, message, {}});
    Q_UNUSED(defaultAnswer);
    return m_promptAnswers.isEmpty() ? QString() : m_promptAnswers.dequeue();
}

std::optional<qint64> ScriptedDesktopServices::chooseColor(qint64 initial)
{
    m_records.append({Kind::ColorDialog, {}, QString::number(initial), {}});
    return m_colors.isEmpty() ? std::nullopt : m_colors.dequeue();
}

std::optional<QString> ScriptedDesktopServices::openFileDialog(const QString& filter, const QString& fileName)
{
    m_records.append({Kind::OpenDialog, filter, fileName, {}});
    return m_openFiles.isEmpty() ? std::nullopt : m_openFiles.dequeue();
}

std::optional<QString> ScriptedDesktopServices::saveFileDialog(const QString& filter, const QString& fileName)
{
    m_records.append({Kind::SaveDialog, filter, fileName, {}});
    return m_saveFiles.isEmpty() ? std::nullopt : m_saveFiles.dequeue();
}

void ScriptedDesktopServices::clearClipboard()
{
    ++m_clipboardClears;
    m_clipboard.clear();
}

void ScriptedDesktopServices::setClipboardText(const QString& text)
{
    m_clipboard = text;
}

bool ScriptedDesktopServices::shellOpen(const QString& pathOrAddress, const QString& workingFolder)
{
    Q_UNUSED(workingFolder);
    m_shellOpened.append(pathOrAddress);
    return m_shellOpenResult;
}

bool ScriptedDesktopServices::startProgram(const QString& path)
{
    m_started.append(path);
    return m_startResult;
}

} // namespace lw
