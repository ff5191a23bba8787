#pragma once

namespace lw {

// The windows were laid out in twips; on screen a pixel is 15 of them.
inline constexpr int TwipsPerPixel = 15;

} // namespace lw
