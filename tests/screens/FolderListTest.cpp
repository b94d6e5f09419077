#include "DoubleClick.h"

#include "screens/FolderList.h"

#include <QCoreApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList childNames(const QTreeWidgetItem* item)
{
    QStringList names;
    for (int i = 0; i < item->childCount(); ++i)
        names.append(item->child(i)->text(0));
    return names;
}

TEST(FolderListTest, ShowsTheWayDownAndTheSubfoldersAndMovesOnDoubleClick)
{
    QTemporaryDir dir;
    QDir root(dir.path());
    for (const char* folder : { "top/beta", "top/Alpha", "top/.hidden", "top/gamma/deeper" })
        root.mkpath(QLatin1String(folder));
    const QString top = dir.filePath(QStringLiteral("top"));

    FolderList list;
    list.resize(300, 400);
    list.show();
    QSignalSpy changes(&list, &FolderList::pathChanged);
    ASSERT_TRUE(list.setPath(top));
    EXPECT_EQ(list.path().toStdString(), QDir::toNativeSeparators(top).toStdString());
    EXPECT_EQ(changes.size(), 1);

    // The current folder is the last of the chain from the top; hidden
    // folders are left out, the rest sorted without regard to case.
    QTreeWidgetItem* current = list.currentItem();
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->text(0), "top");
    EXPECT_EQ(childNames(current), QStringList({ "Alpha", "beta", "gamma" }));
    int depth = 0;
    for (QTreeWidgetItem* item = current; item->parent(); item = item->parent())
        ++depth;
    EXPECT_EQ(depth, QDir::fromNativeSeparators(top).count(QLatin1Char('/')));

    QTreeWidgetItem* gamma = current->child(2);
    // The view lays its items out from the event loop.
    QCoreApplication::processEvents();
    doubleClick(list.viewport(), list.visualItemRect(gamma).center());
    EXPECT_EQ(list.path().toStdString(),
        QDir::toNativeSeparators(top + QStringLiteral("/gamma")).toStdString());
    EXPECT_EQ(changes.size(), 2);

    // What cannot be listed leaves the list where it is.
    EXPECT_FALSE(list.setPath(top + QStringLiteral("/missing")));
    EXPECT_FALSE(list.setPath(QString()));
    EXPECT_EQ(list.path().toStdString(),
        QDir::toNativeSeparators(top + QStringLiteral("/gamma")).toStdString());
    EXPECT_EQ(changes.size(), 2);
}

} // namespace
