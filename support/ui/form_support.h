#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QStyle>
#include <QWidget>

#include <array>
#include <optional>

class QAbstractButton;
class QLineEdit;
class QScrollArea;
class QPalette;

namespace lw {

// Plain-text boxes show LF line breaks; the models hold CR LF, as the files and the page do.
QString toWidgetText(QString text);
QString toModelText(QString text);

// Shows a model's text in a box bound to that model: no echo back to the model, and a box
// that already shows the text keeps its caret.
void showText(QLineEdit* box, const QString& text);

// The look of a colour swatch painted with a 0x00BBGGRR colour value; its caption stays legible
// whatever the desktop's palette.
QString swatchStyle(qint64 colorValue);

// A colour button shows the colour it sets, as a framed patch filling the button.
void showButtonColor(QAbstractButton* button, qint64 colorValue);

// The picture of a button or tool: the desktop theme's icon of the same meaning when the theme
// has one, else our drawing in the installation's "graphics" folder ("PasteButton" for
// graphics/PasteButton.svg, or .png), else the style's standard icon; SP_CustomBase as the
// fallback means no icon. Drawings that use "currentColor" take the widget's text colour.
QIcon programIcon(const QString& name, QStyle::StandardPixmap fallback, const QWidget* widget);
// Our own drawing alone, without the theme.
QIcon drawingIcon(const QString& name, const QWidget* widget);
// The icon names standing in for one of our pictures, separated by blanks, the preferred first;
// empty when there is none.
QString themeIconName(const QString& name);

// Names Breeze (its dark variant on a dark palette) as the theme to take icons from when the
// desktop's own theme lacks them.
void useFallbackIconTheme(const QPalette& palette);
bool isDarkPalette(const QPalette& palette);

// The elements of a control array of a form, found under parent by their objectNames
// "name_first", "name_first+1", ...; an element the form lacks is nullptr.
template <typename W, std::size_t N>
std::array<W*, N> controlArray(const QWidget* parent, const QString& name, int first = 0)
{
    std::array<W*, N> controls{};
    for (std::size_t i = 0; i < N; ++i)
        controls[i] = parent->findChild<W*>(name + u'_' + QString::number(first + int(i)));
    return controls;
}

// The height the screen of a window (of its owner, before it is shown) leaves for the window's
// inside, its title bar and borders not counted.
int screenRoom(const QWidget* window);
// A window of fixed size whose content lies in a scroll area: the full size where `room` holds it,
// else the room's height and the scroll bar's width more, so that the content scrolls and what lies
// outside the area (the window's buttons) stays in view.
void fitScreen(QWidget* window, const QScrollArea* content, QSize full, int room);

// Placement and arrival of a window the main window owns. It shows centred over its owner the
// first time and where the seller left it afterwards. `arrived` tells that the seller came to
// the window: it was shown, or became active after another non-modal window of the program had
// the focus. The return from one of its own message boxes or dialogs (modal) is no arrival.
class OwnedWindowWatcher : public QObject
{
    Q_OBJECT
public:
    explicit OwnedWindowWatcher(QWidget* window);

    // Places the window's inside (below its title bar) there now, before it is first shown, instead
    // of centring it over its owner then: a place remembered from an earlier run. A point on no
    // screen is ignored.
    void setFirstPosition(const QPoint& position);
    // Maximised once it first shows; the place and size it had then are where it goes back to when
    // the seller restores it. (Set before showing, window managers may ignore it for a dialog.)
    void maximizeWhenShown() { m_maximize = true; }
    // Where the window's inside is, or was when last hidden; nullopt when it was never shown.
    // The inside, not the frame: before a window is first mapped its frame is unknown, so a frame
    // position given then would land a title bar lower at every run.
    std::optional<QPoint> lastPosition() const;

Q_SIGNALS:
    void arrived();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    bool m_armed = true;
    bool m_shownBefore = false;
    QPoint m_lastPosition; // the frame's, for showing again in this run
    QPoint m_lastInside;
    bool m_placed = false;
    bool m_maximize = false;
};

} // namespace lw
