#include "support/ui/control_resizer.h"

#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace lw {

namespace {

constexpr char TagProperty[] = "resizeTag";

// Whole percent of change, rounded half to even (nearbyint under the default
// to-nearest mode); the division comes before the * 100 so ties fall the same way.
int percentChange(int now, int old)
{
    return int(std::nearbyint(double(now - old) / double(old) * 100.0));
}

// Applies one tag character to a twips value.
double follow(QChar code, double value, int percent, int delta)
{
    switch (code.unicode()) {
    case u'1':
        return value * (percent + 100) / 100.0;
    case u'2':
        return value + delta;
    case u'3':
        return std::max(0.0, value + delta);
    default:
        return value;
    }
}

// Twips back to whole pixels, half away from zero.
int toPixels(double twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}

} // namespace

void ControlResizer::setTag(QWidget* control, const QString& tag)
{
    control->setProperty(TagProperty, tag);
}

QString ControlResizer::tag(const QWidget* control)
{
    return control->property(TagProperty).toString();
}

void ControlResizer::InitResizer(QWidget* window)
{
    m_oldWidth = window->width() * TwipsPerPixel;
    m_oldHeight = window->height() * TwipsPerPixel;
    m_initialised = true;
}

void ControlResizer::reportError(int number, const QString& description)
{
    m_ds.messageBox(u"Error "_s + QString::number(number) + u"\r\n"_s + description, MsgIcon::Exclamation,
                    QString());
}

void ControlResizer::FormResized(QWidget* window)
{
    if (!m_initialised) {
        reportError(80000, u"Initiate resize module before resizing"_s);
        return;
    }
    // A minimised window has no meaningful client size; the size before it stays the base.
    if (window->windowState() & Qt::WindowMinimized) {
        m_wasMinimised = true;
        return;
    }
    // Restoring to the normal size needs no work: the controls never moved. Going
    // straight to maximised does, measured from the size before minimising.
    if (m_wasMinimised) {
        m_wasMinimised = false;
        if (!(window->windowState() & Qt::WindowMaximized))
            return;
    }

    const int width = window->width() * TwipsPerPixel;
    const int height = window->height() * TwipsPerPixel;
    const int dx = width - m_oldWidth;
    const int dy = height - m_oldHeight;
    if (m_oldWidth != 0)
        m_percentX = percentChange(width, m_oldWidth);
    if (m_oldHeight != 0)
        m_percentY = percentChange(height, m_oldHeight);

    const QList<QWidget*> controls = window->findChildren<QWidget*>();
    for (QWidget* control : controls) {
        const QString code = tag(control);
        if (code.isEmpty())
            continue;
        const auto at = [&code](qsizetype i) { return i < code.size() ? code.at(i) : QChar(); };
        const double left = follow(at(0), control->x() * TwipsPerPixel, m_percentX, dx);
        const double top = follow(at(1), control->y() * TwipsPerPixel, m_percentY, dy);
        const double w = follow(at(2), control->width() * TwipsPerPixel, m_percentX, dx);
        const double h = follow(at(3), control->height() * TwipsPerPixel, m_percentY, dy);

        // Properties are assigned one by one, Left, Top, Width, Height, so a refused
        // size leaves the earlier assignments of this control in place.
        control->move(toPixels(left), toPixels(top));
        if (w < 0) {
            reportError(380, u"Invalid property value"_s);
            return;
        }
        control->resize(toPixels(w), control->height());
        if (h < 0) {
            reportError(380, u"Invalid property value"_s);
            return;
        }
        control->resize(control->width(), toPixels(h));
    }

    m_oldWidth = width;
    m_oldHeight = height;
}

} // namespace lw
