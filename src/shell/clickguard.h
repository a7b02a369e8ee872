#pragma once

// The shared click guard of page handlers that must not run twice for one
// tap: returns false while the guard is set; otherwise arms it (no button,
// the name "TOOLBUTTON_R25_STYLE", or `name` where a button asks for its own)
// and lets the event loop run once, then returns true and the handler acts.
bool clickGuardPass(const char *name = "TOOLBUTTON_R25_STYLE");
