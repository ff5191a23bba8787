#include "app/headless_desktop_services.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace lw {

MsgResult HeadlessDesktopServices::messageBox(const QString& text, MsgStyle style, const QString& title)
{
    QString body = text;
    body.replace(u"\r\n"_s, u"\n"_s);
    // Every line says which ad it belongs to.
    if (!m_prefix.isEmpty())
        body.replace(u'\n', u'\n' + m_prefix);
    m_lastTitle = title.isEmpty() ? QString::fromLatin1(ApplicationTitle) : title;
    const QString line = m_prefix + m_lastTitle + u": "_s + body + u'\n';
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), m_messages);
    std::fflush(m_messages);
    switch (style.buttons) {
    case MsgButtons::YesNo:
        return MsgResult::No;
    case MsgButtons::YesNoCancel:
    case MsgButtons::RestoreDiscardLater:
    case MsgButtons::GenerateAnywayCancel:
        return MsgResult::Cancel;
    case MsgButtons::Ok:
        break;
    }
    return MsgResult::Ok;
}

std::optional<QString> HeadlessDesktopServices::tempFolder()
{
    return QDir::tempPath() + u'/';
}

} // namespace lw
