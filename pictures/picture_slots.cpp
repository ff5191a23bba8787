#include "pictures/picture_slots.h"

#include "core/models/shared_state.h"

namespace lw {

void limitPictureSlots(SharedState& state, int count)
{
    const bool ftp = state.prefs.flag(Preferences::Field::FtpAccess);
    for (int i = 0; i < PictureList::SlotCount; ++i) {
        if (i < count) {
            state.pictures.setEnabled(i, true);
            if (ftp)
                state.pictures.setBrowseEnabled(i, true);
        } else {
            state.pictures.setEnabled(i, false);
            state.pictures.setBrowseEnabled(i, false);
            state.pictures.setText(i, {});
        }
    }
}

void UpdatePictureSlots(SharedState& state)
{
    limitPictureSlots(state, state.templateValues.imageAmount);
}

void applyBrowseRule(SharedState& state)
{
    const bool ftp = state.prefs.flag(Preferences::Field::FtpAccess);
    for (int i = 0; i < PictureList::SlotCount; ++i)
        state.pictures.setBrowseEnabled(i, ftp && state.pictures.slot(i).enabled);
}

} // namespace lw
