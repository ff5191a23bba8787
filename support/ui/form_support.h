#pragma once

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QStyle>
#include <QWidget>

#include <array>

class QLineEdit;

namespace lw {

// Plain-text boxes show LF line breaks; the models hold CR LF, as the files and the page do.
QString toWidgetText(QString text);
QString toModelText(QString text);

// Shows a model's text in a box bound to that model: no echo back to the model, and a box
// that already shows the text keeps its caret.
void showText(QLineEdit* box, const QString& text);

// The look of a colour swatch painted with a 0x00BBGGRR colour value.
QString swatchStyle(qint64 colorValue);

// A picture of the installation's "graphics" folder ("PasteButton" for graphics/PasteButton.png),
// else the style's standard icon; SP_CustomBase as the fallback means no icon.
QIcon programIcon(const QString& name, QStyle::StandardPixmap fallback, const QWidget* widget);

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

// Placement and arrival of a window the main window owns. It shows centred over its owner the
// first time and where the seller left it afterwards. `arrived` tells that the seller came to
// the window: it was shown, or became active after another non-modal window of the program had
// the focus. The return from one of its own message boxes or dialogs (modal) is no arrival.
class OwnedWindowWatcher : public QObject
{
    Q_OBJECT
public:
    explicit OwnedWindowWatcher(QWidget* window);

Q_SIGNALS:
    void arrived();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    bool m_armed = true;
    bool m_shownBefore = false;
    QPoint m_lastPosition;
};

} // namespace lw
