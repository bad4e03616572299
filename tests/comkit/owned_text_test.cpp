#include "comkit/owned_text.h"

#include <gtest/gtest.h>

using namespace COMMON_EX;

TEST(OwnedText, AssignCopiesAndCutCopiesStayInside)
{
    char* owned = DuplicateText("first");
    AssignText(owned, "second");
    EXPECT_STREQ(owned, "second");
    AssignText(owned, nullptr);
    EXPECT_EQ(owned, nullptr);
    EXPECT_EQ(DuplicateText(nullptr), nullptr);

    char buf[4] = {'x', 'x', 'x', 'x'};
    CopyTextCut(buf, 3, "abcdef");
    EXPECT_STREQ(buf, "ab");
    EXPECT_EQ(buf[3], 'x');
    CopyTextCut(buf, sizeof buf, nullptr);
    EXPECT_STREQ(buf, "");
    CopyTextCut(buf, 0, "abc"); // no room: nothing written
    EXPECT_STREQ(buf, "");
}
