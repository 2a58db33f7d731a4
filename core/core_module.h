// Start-up of the run-time core. Every module has one explicit, idempotent
// initialiser of this shape; the game calls them in its fixed start-up order and
// nothing runs in static constructors.
#pragma once

void InitCore();
