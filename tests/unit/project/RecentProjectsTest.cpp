#include <gtest/gtest.h>

#include "project/RecentProjects.h"

namespace quillmap {
namespace {

using Files = std::vector<std::string>;

TEST(RecentProjects, NewestFirstEachOnceAtMostEight)
{
    RecentProjects recent(Files{"a", "", "b", "a"});
    EXPECT_EQ(recent.files(), (Files{"a", "b"}));
    recent.add("b");
    EXPECT_EQ(recent.files(), (Files{"b", "a"}));
    for (const char* f : {"c", "d", "e", "f", "g", "h", "i"}) recent.add(f);
    EXPECT_EQ(recent.files(), (Files{"i", "h", "g", "f", "e", "d", "c", "b"}));
    recent.remove("e");
    recent.add("");
    EXPECT_EQ(recent.files(), (Files{"i", "h", "g", "f", "d", "c", "b"}));
}

}  // namespace
}  // namespace quillmap
