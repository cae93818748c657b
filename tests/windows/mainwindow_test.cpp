#include "mainwindow.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QListWidget>

#include "../journal/tempfolder.h"

namespace zoltrek {
namespace {

QStringList itemTexts(const Main& window) {
    QStringList texts;
    const auto* list = window.findChild<QListWidget*>(QStringLiteral("List1"));
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

TEST(MainList, ListsTheReadingsInTextOrderAndKeepsThemWhenTheFileGoes) {
    testing::TempFolder folder;
    const std::string path = folder.file("zoltrek.dat");
    testing::writeBytes(path,
                        "01.11.26|9500|40|20|800\r\n15.11.26|10200|35|21|735\r\n02|0.5|1|1|1\r\n");
    Main window(QString::fromStdString(path));
    EXPECT_EQ(itemTexts(window), (QStringList{" .5", " 10200", " 9500"}));

    std::remove(path.c_str());
    window.UpList();
    EXPECT_EQ(itemTexts(window), (QStringList{" .5", " 10200", " 9500"}));

    testing::writeBytes(path, "");
    window.UpList();
    EXPECT_TRUE(itemTexts(window).isEmpty());
}

}  // namespace
}  // namespace zoltrek

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
