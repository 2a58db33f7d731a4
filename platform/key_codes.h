// The key codes of the system's events (Windows virtual-key numbering, below
// 256) for SDL's scancodes, which name physical key positions as the system's
// codes do.
#pragma once

// The key code of an SDL scancode, or 0 for keys without one (F13 and above,
// caps lock, keypad clear and equals, the ISO key beside left shift, media
// keys). Out-of-range scancodes give 0.
int KeyCodeForScancode(int scancode);
