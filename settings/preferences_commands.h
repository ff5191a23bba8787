#pragma once

#include <QString>

namespace lw {

class SharedState;
class DesktopServices;

QString settingsPath();

// The preferences window's state that outlives its controls.
struct PreferencesWindowState
{
    // The template selection when the window was created or last became active.
    int openingSelection = -1;
    // The tab the OK checks switched to (0 General, 1 Templates, 2 Shipping).
    int currentTab = 0;
    bool visible = false;
};

enum class OkOrigin
{
    Seller,
    Loader
};

// Reads settings.txt into the preferences (creating it on the first run) and
// presses OK on the seller's behalf.
void loadSettings(SharedState& state, PreferencesWindowState& window, DesktopServices& ds);
bool saveSettings(SharedState& state, QString* error = nullptr);
// cmdPrefOK: the FTP and calculator checks, the save, the template's colours
// when the selection changed. False when a check kept the window open.
bool cmdPrefOK_Click(SharedState& state, PreferencesWindowState& window, DesktopServices& ds,
                     OkOrigin origin = OkOrigin::Seller);
// The one-time notice about website links; run when the website switch becomes set.
void websiteLinkNotice(SharedState& state, DesktopServices& ds);
// Keeps the template display in step with the list's selection.
void connectTemplateSelection(SharedState& state);

} // namespace lw
