#include "core/models/shared_state.h"

using namespace Qt::StringLiterals;

namespace lw {

SharedState::SharedState(QObject* parent) : QObject(parent)
{
    connect(&pictures, &PictureList::textChanged, this, [this] { ad.setAdChanged(true); });
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
