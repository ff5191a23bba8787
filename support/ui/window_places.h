#pragma once

#include <QMap>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

class QWidget;

namespace lw {

// Where the seller left the program's windows, kept between runs in a small state file of the
// user's configuration folder (never in settings.txt, whose lines are fixed): the main window's
// normal size and place and whether it was maximised, and the place of each window it owns,
// known by objectName, with the size too when the seller can resize it. A place on no screen any
// more is ignored when restoring.
class WindowPlaces
{
public:
    explicit WindowPlaces(QString path) : m_path(std::move(path)) {}

    // $XDG_CONFIG_HOME/listwright/window-state.ini
    static QString defaultPath();

    // A missing or damaged file leaves nothing known; a damaged line is skipped.
    void read();
    // Written atomically; the folder is made when missing.
    bool write(QString* error = nullptr) const;

    // Before the main window is first shown.
    void restoreMain(QWidget* window) const;
    void rememberMain(const QWidget* window);

    std::optional<QPoint> position(const QString& window) const;
    void setPosition(const QString& window, const QPoint& position);

    // An owned window the seller can resize: its kept normal size (never larger than the screen;
    // nothing happens when none is kept) and whether it was maximised.
    void restoreSize(QWidget* window) const;
    bool maximized(const QString& window) const;
    void rememberSize(const QWidget* window);

    // Whether an owned window that reopens at start-up was open when the program last ended.
    bool wasOpen(const QString& window) const;
    void setOpen(const QString& window, bool open);

    // The window's geometry when it is neither maximised nor minimised, else the one it goes back to.
    static QRect normalGeometry(const QWidget* window);

    // The folders the file dialogs opened last, by kind of file (DialogFolders).
    const QMap<QString, QString>& folders() const { return m_folders; }
    void setFolders(const QMap<QString, QString>& folders) { m_folders = folders; }

    // True when the window's title bar at that place lies on a screen, so the seller can reach it.
    static bool onScreen(const QPoint& topLeft, int width);

private:
    struct Place
    {
        std::optional<QPoint> position; // the main window's client top-left; an owned window's frame
        QSize size;                     // normal size; invalid when not kept
        bool maximized = false;
        bool open = false;
    };
    QString m_path;
    QMap<QString, Place> m_places;
    QMap<QString, QString> m_folders;
};

} // namespace lw
