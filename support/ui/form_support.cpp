#include "support/ui/form_support.h"

#include "core/color.h"
#include "core/install_folder.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalBlocker>

using namespace Qt::StringLiterals;

namespace lw {

QString toWidgetText(QString text)
{
    return text.replace(u"\r\n"_s, u"\n"_s);
}

QString toModelText(QString text)
{
    text.replace(u"\r\n"_s, u"\n"_s);
    return text.replace(u'\n', u"\r\n"_s);
}

void showText(QLineEdit* box, const QString& text)
{
    if (box->text() == text)
        return;
    const QSignalBlocker block(box);
    box->setText(text);
}

QString swatchStyle(qint64 colorValue)
{
    return u"background-color: "_s + ColorToHtml(colorValue) + u"; border: 1px solid #7a7a7a;"_s;
}

QIcon programIcon(const QString& name, QStyle::StandardPixmap fallback, const QWidget* widget)
{
    const QString path = installPath(u"graphics/"_s + name + u".png"_s);
    if (QFileInfo::exists(path))
        return QIcon(path);
    return fallback == QStyle::SP_CustomBase ? QIcon() : widget->style()->standardIcon(fallback);
}

OwnedWindowWatcher::OwnedWindowWatcher(QWidget* window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now)
            return;
        const QWidget* top = now->window();
        if (top != m_window && !top->isModal())
            m_armed = true;
    });
}

bool OwnedWindowWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::Show:
        if (!m_shownBefore) {
            m_shownBefore = true;
            if (QWidget* owner = m_window->parentWidget()) {
                const QRect frame = owner->window()->frameGeometry();
                QRect mine = m_window->frameGeometry();
                mine.moveCenter(frame.center());
                m_window->move(mine.topLeft());
            }
        } else {
            m_window->move(m_lastPosition);
        }
        if (m_armed) {
            m_armed = false;
            Q_EMIT arrived();
        }
        break;
    case QEvent::Hide:
        m_lastPosition = m_window->pos();
        m_armed = true;
        break;
    case QEvent::WindowActivate:
        if (m_armed) {
            m_armed = false;
            Q_EMIT arrived();
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace lw
