#pragma once

#include "core/desktop_services.h"
#include "core/twips.h"

#include <QString>

class QWidget;

namespace lw {

// Keeps a window's controls in place when the window is resized. Each control
// carries a four-character tag saying how its Left, Top, Width and Height follow
// the window:
//   '1' proportional: value * (percent + 100) / 100, percent being the window's
//       relative change of width (Left, Width) or height (Top, Height), in whole percent;
//   '2' follows the edge: value + the window's change of width or height (may go negative);
//   '3' like '2' but a result below 0 becomes 0;
//   anything else, or a missing character: unchanged.
// The arithmetic runs in twips (15 per pixel) because the window's own units are twips.
class ControlResizer
{
public:
    explicit ControlResizer(DesktopServices& ds) : m_ds(ds) {}

    // Stored as the dynamic property "resizeTag" so forms can set it in one place.
    static void setTag(QWidget* control, const QString& tag);
    static QString tag(const QWidget* control);

    // Records the window's client size (twips) as the base of the next rescale.
    void InitResizer(QWidget* window);
    // Rescales the tagged controls of window from the recorded size to its current size.
    void FormResized(QWidget* window);

    int oldWidth() const { return m_oldWidth; }
    int oldHeight() const { return m_oldHeight; }

private:
    // Reports an error as "Error <number>" CRLF description, exclamation icon, no title.
    void reportError(int number, const QString& description);

    DesktopServices& m_ds;
    int m_oldWidth = 0;  // twips
    int m_oldHeight = 0; // twips
    // Kept across rescales: a zero old size leaves the previous percentage in force.
    int m_percentX = 0;
    int m_percentY = 0;
    bool m_initialised = false;
    bool m_wasMinimised = false;
};

} // namespace lw
