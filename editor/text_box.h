#pragma once

#include "core/models/ad_record.h"

#include <QString>

namespace lw {

// A text box as the editor commands see it: line breaks always counted as CR LF.
struct TextBoxState
{
    QString text;
    int selStart = 0;
    int selLength = 0;
};

// Where the commands read and write the three text boxes.
// The window implements it over its widgets so that the commands never need a widget.
class TextBoxAccess
{
public:
    virtual ~TextBoxAccess() = default;
    virtual TextBoxState textBox(TextBox box) const = 0;
    // Puts text and caret into the box (nothing selected when selLength is 0) and gives it the focus.
    virtual void setTextBox(TextBox box, const TextBoxState& state) = 0;
};

// Caret arithmetic between a model text with CR LF and a widget text with LF only.
// Out-of-range positions are clamped to the text so a stale caret cannot index past it.
int widgetToModelPosition(const QString& modelText, int widgetPosition);
// A position between CR and LF maps to the position before the line break.
int modelToWidgetPosition(const QString& modelText, int modelPosition);

} // namespace lw
