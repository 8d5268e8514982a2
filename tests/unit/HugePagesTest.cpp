// The GLIBC_TUNABLES value the game restarts with: huge pages asked for once,
// and whatever the user set kept.
#include "app/HugePages.h"

#include <gtest/gtest.h>

TEST(HugePages, TunablesAskForHugePagesOnceAndKeepTheUsersOwn) {
    struct Case { const char* current; const char* expected; };
    for (const Case& c : {Case{nullptr, "glibc.malloc.hugetlb=1"}, Case{"", "glibc.malloc.hugetlb=1"},
                          Case{"glibc.malloc.check=3", "glibc.malloc.check=3:glibc.malloc.hugetlb=1"},
                          Case{"glibc.malloc.hugetlb=1", ""}, Case{"glibc.malloc.hugetlb=0", ""},
                          Case{"glibc.malloc.arena_max=1:glibc.malloc.hugetlb=2", ""}}) {
        EXPECT_EQ(tunablesWithHugePages(c.current), c.expected) << (c.current ? c.current : "unset");
    }
}
