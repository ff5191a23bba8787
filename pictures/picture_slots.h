#pragma once

namespace lw {

class SharedState;

// Limits the picture window to the selected template's picture count: the first
// `count` slots usable, the others disabled and emptied.
void limitPictureSlots(SharedState& state, int count);
// UpdatePictureSlots: the same for ImageAmount.
void UpdatePictureSlots(SharedState& state);
// The FTP switch's rule for the Browse buttons.
void applyBrowseRule(SharedState& state);

} // namespace lw
