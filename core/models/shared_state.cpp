#include "core/models/shared_state.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace lw {

SharedState::SharedState(QObject* parent) : QObject(parent)
{
    // What the ad file keeps beyond the ad record itself.
    connect(&pictures, &PictureList::textChanged, &ad, &AdRecord::noteEdit);
    connect(&pictures, &PictureList::thumbSizeChanged, &ad, &AdRecord::noteEdit);
    connect(&tables, &TableBackgrounds::edited, &ad, &AdRecord::noteEdit);
    connect(&templates, &TemplateCatalogue::selectionChanged, this, [this](int index) {
        if (std::exchange(m_templateIndex, index) != index)
            ad.noteEdit();
    });
}

void SharedState::setCaption(const QString& caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    Q_EMIT captionChanged(caption);
}

void SharedState::setCaptionName(const QString& name)
{
    setCaption(u"Listwright - ["_s + name + u']');
}

} // namespace lw
