#pragma once
#ifndef _WIN32
#include <sys/types.h>

namespace quillmap {

// The mode a new file gets from the process's file-creation mask (0666 less the mask). The mask
// can only be read by setting it: this reads it one thread at a time.
mode_t modeForNewFile();

}  // namespace quillmap
#endif
