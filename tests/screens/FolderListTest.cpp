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

TEST(FolderListTest, OneClickOpensAFolderAndADoubleClickOpensItOnce)
{
    QTemporaryDir dir;
    QDir root(dir.path());
    root.mkpath(QStringLiteral("top/alpha/inner"));
    root.mkpath(QStringLiteral("top/beta"));
    const QString top = dir.filePath(QStringLiteral("top"));
    FolderList list;
    list.resize(300, 600);
    list.show();
    ASSERT_TRUE(list.setPath(top));
    QSignalSpy changes(&list, &FolderList::pathChanged);
    QCoreApplication::processEvents();

    const auto itemNamed = [&](const char* name) {
        const QList<QTreeWidgetItem*> found
            = list.findItems(QLatin1String(name), Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    };
    QTreeWidgetItem* alpha = itemNamed("alpha");
    ASSERT_NE(alpha, nullptr);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(alpha).center());
    EXPECT_EQ(list.path(), QDir::toNativeSeparators(top + QStringLiteral("/alpha")));
    EXPECT_EQ(changes.size(), 1);
    ASSERT_NE(itemNamed("inner"), nullptr);

    // A click on the open folder opens nothing new.
    QCoreApplication::processEvents();
    QTest::mouseClick(
        list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.currentItem()).center());
    EXPECT_EQ(changes.size(), 1);

    // A double click on "top" goes up once; "beta", which now stands in
    // the list, is not opened by its second click.
    QTreeWidgetItem* topItem = itemNamed("top");
    ASSERT_NE(topItem, nullptr);
    doubleClick(list.viewport(), list.visualItemRect(topItem).center());
    EXPECT_EQ(list.path(), QDir::toNativeSeparators(top));
    EXPECT_EQ(changes.size(), 2);
}

} // namespace
