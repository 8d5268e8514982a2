// Restarting the process with huge-page-backed malloc.
#include "app/HugePages.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {
constexpr const char* kHugePages = "glibc.malloc.hugetlb=1";
}

std::string tunablesWithHugePages(const char* current) {
    if (current == nullptr || *current == '\0') return kHugePages;
    if (std::strstr(current, "glibc.malloc.hugetlb=") != nullptr) return "";
    return std::string(current) + ":" + kHugePages;
}

void restartWithHugePages(char** argv) {
    const char* previous = std::getenv("GLIBC_TUNABLES");
    const std::string tunables = tunablesWithHugePages(previous);
    if (tunables.empty() || argv == nullptr || argv[0] == nullptr) return;
    const std::string kept = previous ? previous : "";
    if (setenv("GLIBC_TUNABLES", tunables.c_str(), 1) != 0) return;
    // The program's own path, not /proc/self/exe, so that it keeps its name
    // in the process list.
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length > 0) {
        path[length] = '\0';
        execv(path, argv);
    }
    // Still here (no /proc, or no exec allowed): the environment goes back to
    // what this process really runs with.
    if (previous) {
        setenv("GLIBC_TUNABLES", kept.c_str(), 1);
    } else {
        unsetenv("GLIBC_TUNABLES");
    }
}
