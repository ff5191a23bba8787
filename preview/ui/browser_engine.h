#pragma once

namespace lw {

// The browser engine's one-time set-up, shared by every window of the browser module: run before
// the module makes its first window.
void startBrowserEngine();

} // namespace lw
