#include "support/ui/window_places.h"

#include "core/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

constexpr qint64 MaxStateFileBytes = 64 * 1024;
const QString MainWindow = u"frmMain"_s;
// Not a window: the folders of the file dialogs.
const QString Folders = u"Folders"_s;

// "x,y" or "x,y,w,h"; nullopt unless every part is a whole number.
std::optional<QList<int>> numbers(const QString& text, int count)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != count)
        return std::nullopt;
    QList<int> values;
    for (const QString& part : parts) {
        bool ok = false;
        const int v = part.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        values << v;
    }
    return values;
}

} // namespace

QString WindowPlaces::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/listwright/window-state.ini"_s;
}

void WindowPlaces::read()
{
    m_places.clear();
    m_folders.clear();
    const std::optional<QString> text = readTextFile(m_path, nullptr, MaxStateFileBytes);
    if (!text)
        return;
    QString section;
    for (const QString& raw : splitLines(*text)) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (section.isEmpty() || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (section == Folders) {
            m_folders.insert(key, value);
            continue;
        }
        Place& place = m_places[section];
        if (key == u"geometry") {
            if (const auto v = numbers(value, 4); v && v->at(2) > 0 && v->at(3) > 0) {
                place.position = QPoint(v->at(0), v->at(1));
                place.size = QSize(v->at(2), v->at(3));
            }
        } else if (key == u"position") {
            if (const auto v = numbers(value, 2))
                place.position = QPoint(v->at(0), v->at(1));
        } else if (key == u"size") {
            if (const auto v = numbers(value, 2); v && v->at(0) > 0 && v->at(1) > 0)
                place.size = QSize(v->at(0), v->at(1));
        } else if (key == u"maximized") {
            place.maximized = value == u"true";
        } else if (key == u"open") {
            place.open = value == u"true";
        }
    }
}

bool WindowPlaces::write(QString* error) const
{
    QStringList lines;
    for (auto it = m_places.cbegin(); it != m_places.cend(); ++it) {
        const Place& p = it.value();
        lines << u'[' + it.key() + u']';
        if (it.key() == MainWindow && p.position && p.size.isValid()) {
            lines << u"geometry=%1,%2,%3,%4"_s.arg(p.position->x())
                         .arg(p.position->y())
                         .arg(p.size.width())
                         .arg(p.size.height());
        } else if (it.key() != MainWindow) {
            if (p.position)
                lines << u"position=%1,%2"_s.arg(p.position->x()).arg(p.position->y());
            if (p.size.isValid())
                lines << u"size=%1,%2"_s.arg(p.size.width()).arg(p.size.height());
        }
        if (p.size.isValid())
            lines << (p.maximized ? u"maximized=true"_s : u"maximized=false"_s);
        if (p.open)
            lines << u"open=true"_s;
    }
    if (!m_folders.isEmpty())
        lines << u'[' + Folders + u']';
    for (auto it = m_folders.cbegin(); it != m_folders.cend(); ++it)
        lines << it.key() + u'=' + it.value();
    if (!QDir().mkpath(QFileInfo(m_path).path())) {
        if (error)
            *error = u"cannot make the folder of "_s + m_path;
        return false;
    }
    return writeFileAtomic(m_path, lines.join(u'\n').toUtf8() + '\n', error);
}

bool WindowPlaces::onScreen(const QPoint& topLeft, int width)
{
    // The middle of the title bar, or 40 px into a narrow one.
    return QGuiApplication::screenAt(topLeft + QPoint(qBound(0, width / 2, 40), 10)) != nullptr;
}

namespace {

QSize fitScreen(QSize size)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return size.boundedTo(screen->availableGeometry().size());
    return size;
}

} // namespace

QRect WindowPlaces::normalGeometry(const QWidget* window)
{
    const bool normal =
        !(window->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    const QRect g = window->normalGeometry();
    return normal || !g.isValid() ? window->geometry() : g;
}

void WindowPlaces::restoreMain(QWidget* window) const
{
    const auto it = m_places.constFind(MainWindow);
    if (it == m_places.cend() || !it->position || !it->size.isValid())
        return;
    const QRect g(*it->position, fitScreen(it->size));
    if (onScreen(g.topLeft(), g.width()))
        window->setGeometry(g);
    else
        window->resize(g.size());
    if (it->maximized)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void WindowPlaces::rememberMain(const QWidget* window)
{
    const QRect g = normalGeometry(window);
    Place& place = m_places[MainWindow];
    place.position = g.topLeft();
    place.size = g.size();
    place.maximized = bool(window->windowState() & Qt::WindowMaximized);
}

std::optional<QPoint> WindowPlaces::position(const QString& window) const
{
    const auto it = m_places.constFind(window);
    if (it == m_places.cend() || window == MainWindow)
        return std::nullopt;
    return it->position;
}

void WindowPlaces::setPosition(const QString& window, const QPoint& position)
{
    m_places[window].position = position;
}

void WindowPlaces::restoreSize(QWidget* window) const
{
    const auto it = m_places.constFind(window->objectName());
    if (it == m_places.cend() || window->objectName() == MainWindow || !it->size.isValid())
        return;
    window->resize(fitScreen(it->size).expandedTo(window->minimumSize()));
}

bool WindowPlaces::maximized(const QString& window) const
{
    const auto it = m_places.constFind(window);
    return it != m_places.cend() && it->size.isValid() && it->maximized;
}

bool WindowPlaces::wasOpen(const QString& window) const
{
    const auto it = m_places.constFind(window);
    return it != m_places.cend() && it->open;
}

void WindowPlaces::setOpen(const QString& window, bool open)
{
    m_places[window].open = open;
}

void WindowPlaces::rememberSize(const QWidget* window)
{
    if (window->objectName() == MainWindow)
        return;
    Place& place = m_places[window->objectName()];
    place.size = normalGeometry(window).size();
    place.maximized = bool(window->windowState() & Qt::WindowMaximized);
}

} // namespace lw
