#include "platform/desktop/messagetext.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageText, APathTooLongForTheScreenKeepsItsStartAndFileName) {
    const QString folder = QStringLiteral("/home/ana/Pictures/Portugal 2024/the long walk from "
                                          "Porto to the sea, day three");
    struct Case {
        const char* name;
        QString path;
        QString shown;
    };
    const Case cases[] = {
        {"short", QStringLiteral("/home/ana/beach.jpg"), QStringLiteral("/home/ana/beach.jpg")},
        {"long folder", folder + QStringLiteral("/IMG_0042.JPG"),
         QStringLiteral("/home/ana/Pictures/Portugal 2024/the long walk from Porto to the sea, "
                        "day .../IMG_0042.JPG")},
        {"written on Windows",
         QStringLiteral("C:\\Users\\Ana\\Pictures\\") + QString(80, 'x') +
             QStringLiteral("\\beach.jpg"),
         QStringLiteral("C:\\Users\\Ana\\Pictures\\") + QString(55, 'x') +
             QStringLiteral("...\\beach.jpg")},
        {"a file name longer than the line",
         QStringLiteral("/a/") + QString(100, 'n') + QStringLiteral(".jpg"),
         QStringLiteral("/a/") + QString(39, 'n') + QStringLiteral("...") + QString(41, 'n') +
             QStringLiteral(".jpg")},
        {"no separator", QString(200, 'z'),
         QString(42, 'z') + QStringLiteral("...") + QString(45, 'z')},
        {"not inside a character of two",
         QString(41, 'z') + QString::fromUtf8("\U0001F600") + QString(200, 'z'),
         QString(41, 'z') + QStringLiteral("...") + QString(45, 'z')},
    };
    for (const Case& c : cases) {
        const QString shown = shortName(c.path);
        EXPECT_EQ(shown, c.shown) << c.name;
        EXPECT_LE(shown.size(), 90) << c.name;
    }
}

TEST(MessageText, AListNamesAScreenfulAndCountsTheRest) {
    QStringList names;
    for (int i = 1; i <= 23; ++i)
        names << QStringLiteral("p%1.jpg").arg(i);
    const QString twenty = names.mid(0, 20).join(QLatin1Char('\n'));
    EXPECT_EQ(namedLines(names.mid(0, 20)), twenty);
    EXPECT_EQ(namedLines(names), twenty + QStringLiteral("\nand 3 more"));
    EXPECT_EQ(namedLines(names, 2), QStringLiteral("p1.jpg\np2.jpg\nand 21 more"));
    EXPECT_EQ(namedLines({QString(300, 'r')}),
              QString(132, 'r') + QStringLiteral("...") + QString(135, 'r'));
}

} // namespace
