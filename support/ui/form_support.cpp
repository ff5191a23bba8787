#include "support/ui/form_support.h"

#include "core/color.h"
#include "core/install_folder.h"
#include "support/ui/window_places.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIconEngine>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSvgRenderer>

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

namespace {

QColor colorOf(qint64 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

// Dark text on light colours, light text on dark ones (relative luminance, sRGB weights).
bool wantsDarkText(const QColor& c)
{
    return 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF() > 0.5;
}

// Renders an SVG drawing at whatever size and scale it is asked for, so it stays sharp at 125%,
// 150% and 200%; a disabled button gets it faded.
class DrawingIconEngine : public QIconEngine
{
public:
    explicit DrawingIconEngine(QByteArray svg) : m_svg(std::move(svg)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        QSvgRenderer renderer(m_svg);
        painter->save();
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        renderer.render(painter, QRectF(rect));
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paint(&painter, image.rect(), mode, state);
        painter.end();
        return QPixmap::fromImage(image);
    }
    QIconEngine* clone() const override { return new DrawingIconEngine(m_svg); }
    bool isNull() override { return !QSvgRenderer(m_svg).isValid(); }

private:
    QByteArray m_svg;
};

} // namespace

QString swatchStyle(qint64 colorValue)
{
    // The border is half transparent, so it frames light and dark colours on light and dark windows.
    return u"background-color: "_s + ColorToHtml(colorValue) + u"; color: "_s +
           (wantsDarkText(colorOf(colorValue)) ? u"#000000"_s : u"#FFFFFF"_s) +
           u"; border: 1px solid rgba(128, 128, 128, 200);"_s;
}

void showButtonColor(QAbstractButton* button, qint64 colorValue)
{
    const QSize patch = button->size() - QSize(10, 10);
    const qreal scale = button->devicePixelRatioF();
    QPixmap pixmap(patch * scale);
    pixmap.setDevicePixelRatio(scale);
    const QColor color = colorOf(colorValue);
    pixmap.fill(color);
    QPainter painter(&pixmap);
    painter.setPen(QPen(wantsDarkText(color) ? QColor(0, 0, 0, 110) : QColor(255, 255, 255, 110), 0));
    painter.drawRect(QRectF(QPointF(0, 0), QSizeF(patch)).adjusted(0, 0, -1.0 / scale, -1.0 / scale));
    painter.end();
    button->setIconSize(patch);
    button->setIcon(QIcon(pixmap));
    button->setProperty("shownColor", color);
}

QString themeIconName(const QString& name)
{
    static const QHash<QString, QString> names = {
        {u"NewFile"_s, u"document-new"_s},
        {u"OpenFile"_s, u"document-open"_s},
        {u"SaveFile"_s, u"document-save"_s},
        {u"Cut"_s, u"edit-cut"_s},
        {u"Copy"_s, u"edit-copy"_s},
        {u"Paste"_s, u"edit-paste"_s},
        {u"PasteButton"_s, u"edit-paste"_s},
        {u"LoadTemplate"_s, u"view-list-icons"_s},
        {u"InsertPictures"_s, u"insert-image"_s},
        {u"InsertImage"_s, u"insert-image"_s},
        {u"CustomizeTemplate"_s, u"format-fill-color"_s},
        {u"AdPreferences"_s, u"configure preferences-system"_s},
        {u"CheckSpelling"_s, u"tools-check-spelling"_s},
        {u"PreviewAd"_s, u"document-print-preview"_s},
        {u"LivePreview"_s, u"view-preview"_s},
        {u"GenerateAd"_s, u"run-build system-run"_s},
        {u"SubmitAd"_s, u"document-send"_s},
        {u"Superscript"_s, u"format-text-superscript"_s},
        {u"Subscript"_s, u"format-text-subscript"_s},
        {u"AlignCenter"_s, u"format-justify-center"_s},
        {u"AlignLeft"_s, u"format-justify-left"_s},
        {u"AlignRight"_s, u"format-justify-right"_s},
        {u"Hyperlink"_s, u"insert-link"_s},
        {u"ArrowLeft"_s, u"go-previous"_s},
        {u"ArrowRight"_s, u"go-next"_s},
        {u"Bold"_s, u"format-text-bold"_s},
        {u"Italic"_s, u"format-text-italic"_s},
        {u"Underline"_s, u"format-text-underline"_s},
        {u"StrikeThrough"_s, u"format-text-strikethrough"_s},
        {u"PreFormatted"_s, u"format-text-code"_s},
    };
    return names.value(name);
}

QIcon drawingIcon(const QString& name, const QWidget* widget)
{
    const QString svg = installPath(u"graphics/"_s + name + u".svg"_s);
    QFile file(svg);
    if (file.size() < 256 * 1024 && file.open(QIODevice::ReadOnly)) {
        QByteArray data = file.readAll();
        data.replace("currentColor", widget->palette().color(QPalette::ButtonText).name().toLatin1());
        QIcon icon(new DrawingIconEngine(std::move(data)));
        if (!icon.isNull())
            return icon;
    }
    const QString png = installPath(u"graphics/"_s + name + u".png"_s);
    return QFileInfo::exists(png) ? QIcon(png) : QIcon();
}

QIcon programIcon(const QString& name, QStyle::StandardPixmap fallback, const QWidget* widget)
{
    // The names in the order of preference; KDE's own name first where the freedesktop one draws
    // something else in Breeze (its "preferences-system" is a program's icon, not a tool's).
    for (const QString& theme : themeIconName(name).split(u' ', Qt::SkipEmptyParts))
        if (QIcon::hasThemeIcon(theme))
            return QIcon::fromTheme(theme);
    if (QIcon drawing = drawingIcon(name, widget); !drawing.isNull())
        return drawing;
    return fallback == QStyle::SP_CustomBase ? QIcon() : widget->style()->standardIcon(fallback);
}

bool isDarkPalette(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

void useFallbackIconTheme(const QPalette& palette)
{
    QIcon::setFallbackThemeName(isDarkPalette(palette) ? u"breeze-dark"_s : u"breeze"_s);
}

int screenRoom(const QWidget* window)
{
    const QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : window;
    const QScreen* screen = owner->screen();
    // A title bar and borders, which are not known before the window is first shown.
    constexpr int Frame = 48;
    return screen ? screen->availableGeometry().height() - Frame : QWIDGETSIZE_MAX;
}

void fitScreen(QWidget* window, const QScrollArea* content, QSize full, int room)
{
    if (room >= full.height()) {
        window->setFixedSize(full);
        return;
    }
    const int bar = content->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, content);
    window->setFixedSize(full.width() + bar, qMax(room, full.height() / 3));
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

void OwnedWindowWatcher::setFirstPosition(const QPoint& position)
{
    if (WindowPlaces::onScreen(position, m_window->width())) {
        m_window->setGeometry(QRect(position, m_window->size()));
        m_placed = true;
    }
}

std::optional<QPoint> OwnedWindowWatcher::lastPosition() const
{
    if (!m_shownBefore)
        return std::nullopt;
    return m_window->isVisible() ? WindowPlaces::normalGeometry(m_window).topLeft() : m_lastInside;
}

bool OwnedWindowWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::Show:
        if (!m_shownBefore) {
            m_shownBefore = true;
            QWidget* owner = m_window->parentWidget();
            if (m_maximize)
                QMetaObject::invokeMethod(
                    m_window, [w = m_window] { w->setWindowState(w->windowState() | Qt::WindowMaximized); },
                    Qt::QueuedConnection);
            else if (owner && !m_placed) {
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
        m_lastInside = WindowPlaces::normalGeometry(m_window).topLeft();
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
