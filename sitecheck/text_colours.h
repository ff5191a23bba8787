#pragma once

#include "generator/generator_input.h"

#include <QList>
#include <QString>

namespace lw {

// A text of the template and the colours it is drawn in, each named as the seller knows it.
struct TextColours
{
    QString color;      // "title colour", "caption colour under pictures", "the template's text #RRGGBB"
    QString background; // "table 1", "the page", "the template's background #RRGGBB"
    quint32 foreground = 0;
    quint32 backdrop = 0xFFFFFF;
    bool large = false;  // at least 24 px, or bold and at least 18.66 px
    bool seller = false; // one of the two is a colour the seller chooses for the ad

    double contrast() const;
    // What a reader with moderately low vision needs (WCAG 2.1 AA): 4.5:1, 3:1 for large text.
    double required() const { return large ? 3.0 : 4.5; }
    bool readable() const { return contrast() >= required(); }
};

// Every text of the template with the colours the input gives it: the seller's text, the optional
// information, the picture captions the generator adds and the template's own words. Texts on a
// background picture are left out, as are links, which the browser or the page's style sheet colours.
QList<TextColours> templateTextColours(const GeneratorInput& in);

} // namespace lw
