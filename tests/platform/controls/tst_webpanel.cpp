#include "platform/controls/webpanel.h"

#include <gtest/gtest.h>

TEST(HtmlTitle, IsTakenAsWritten) {
    EXPECT_EQ(htmlTitle("<html><head><title>publ</title></head></html>"), "publ");
    EXPECT_EQ(htmlTitle("<TITLE>publ </TITLE>"), "publ ");
    EXPECT_EQ(htmlTitle("<title lang=en>Publ</title >"), "Publ");
    EXPECT_EQ(htmlTitle("<title>a &amp; b</title>"), "a & b");
    EXPECT_EQ(htmlTitle("<html>no title</html>"), "");
}
