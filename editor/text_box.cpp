#include "editor/text_box.h"

#include <algorithm>

namespace lw {

namespace {
bool isLineBreakAt(const QString& text, qsizetype i)
{
    return i + 1 < text.size() && text.at(i) == u'\r' && text.at(i + 1) == u'\n';
}
} // namespace

int widgetToModelPosition(const QString& modelText, int widgetPosition)
{
    qsizetype model = 0;
    for (int widget = 0; widget < widgetPosition && model < modelText.size(); ++widget)
        model += isLineBreakAt(modelText, model) ? 2 : 1;
    return static_cast<int>(model);
}

int modelToWidgetPosition(const QString& modelText, int modelPosition)
{
    const qsizetype end = std::clamp<qsizetype>(modelPosition, 0, modelText.size());
    int widget = 0;
    qsizetype model = 0;
    while (model < end) {
        if (isLineBreakAt(modelText, model)) {
            // Inside the pair the widget has no matching position: stay before the break.
            if (model + 1 == end)
                break;
            model += 2;
        } else {
            ++model;
        }
        ++widget;
    }
    return widget;
}

} // namespace lw
