// The game's entry routine: start-up in the fixed module order, the scene, and
// the frame loop. Returns the process exit status.
#pragma once

int KorvaneMain();
