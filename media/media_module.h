// Start-up of the stream and picture layer. Each initialiser is idempotent; the
// program calls them in its start-up order, which decides the asking order of
// the stream factories and the picture readers (newest first).
#pragma once

// The stream factories: "incbin", banks, "littleendian"/"bigendian".
void InitMedia();
