#pragma once

#include "pictures/picture_engine.h"

#include <QString>

namespace lw {

// The picture engine, its module loaded on the first call (it stays loaded for the run); nullptr
// with the reason in `error` when the module cannot be found or loaded. Safe from any thread.
PictureEngine* pictureEngine(QString* error = nullptr);

} // namespace lw
