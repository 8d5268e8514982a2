// Large buffers on transparent huge pages. At start-up the GL driver fills
// about 100 MB at once (the multisampled window buffers, the shadow map); with
// 4 KiB pages every first touch is a page fault, and on a virtual machine those
// faults cost more than the filling itself. glibc backs its large blocks with
// huge pages only when its `glibc.malloc.hugetlb` tunable asks for it, and
// tunables are read as the process starts, so the game starts itself once more
// with the tunable set. A tunable the user already set is left as it is.
#pragma once

#include <string>

// The GLIBC_TUNABLES value that asks for huge pages, keeping `current` (the
// variable's value, or null when unset); empty when `current` already says
// how malloc uses huge pages.
std::string tunablesWithHugePages(const char* current);

// Starts this program again with the tunable added and the same arguments;
// returns only when there is nothing to add or the start failed, and then
// the game runs on in this process as before.
void restartWithHugePages(char** argv);
