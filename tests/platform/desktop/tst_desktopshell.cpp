#include "desktopshell.h"
#include "dialogs.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(DesktopOpenArgument, AddressesPassUnchanged) {
    EXPECT_EQ(desktopOpenArgument("http://127.0.0.1/mv_help.html"),
              "http://127.0.0.1/mv_help.html");
    EXPECT_EQ(desktopOpenArgument("file:///opt/site/mv_help.html"),
              "file:///opt/site/mv_help.html");
    EXPECT_EQ(desktopOpenArgument("mailto:lab@example.org"), "mailto:lab@example.org");
}

TEST(DesktopOpenArgument, PathsBecomeAbsoluteAndWhole) {
    EXPECT_EQ(desktopOpenArgument("/tmp/a b;c $(x) \"q\".jpg"), "/tmp/a b;c $(x) \"q\".jpg");
    const QString dashed = desktopOpenArgument("-rf x.jpg");
    EXPECT_EQ(dashed, QDir::current().absoluteFilePath("-rf x.jpg"));
    EXPECT_FALSE(dashed.startsWith('-'));
    EXPECT_EQ(desktopOpenArgument("--help"), QDir::current().absoluteFilePath("--help"));
}

TEST(DesignFilters, BecomeQtFilters) {
    EXPECT_EQ(qtFilterFromDesign("Marvolia files|*.mvl"), "Marvolia files (*.mvl)");
    EXPECT_EQ(qtFilterFromDesign("Text Files|*.txt|All|*.*"), "Text Files (*.txt);;All (*.*)");
    EXPECT_EQ(qtFilterFromDesign(""), "");
}
