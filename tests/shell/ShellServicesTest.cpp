#include "screens/BusyPointer.h"
#include "screens/QtMessageService.h"
#include "screens/SystemClock.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <vector>

namespace {

// Reads seconds values from a script, as the wall clock would give them.
struct ScriptedSeconds {
    std::vector<int> values;
    size_t reads = 0;
    int operator()()
    {
        const int value = values[std::min(reads, values.size() - 1)];
        ++reads;
        return value;
    }
};

} // namespace

TEST(SystemClockTest, PauseEndsOnTheClockTickIncludingTheWrapAfter59)
{
    const struct {
        int ticks;
        std::vector<int> seconds;
        size_t expectedReads;
    } cases[] = {
        { 1, { 10, 10, 10, 11, 12 }, 4 },
        { 1, { 59, 59, 0 }, 3 },
        { 2, { 30, 30, 31, 31, 32 }, 5 },
        { 2, { 58, 59, 0 }, 3 },
        { 2, { 59, 0, 1 }, 3 },
    };
    for (const auto& entry : cases) {
        ScriptedSeconds seconds { entry.seconds };
        SystemClock::waitForTicks(entry.ticks, std::ref(seconds));
        EXPECT_EQ(seconds.reads, entry.expectedReads);
    }
}

TEST(BusyPointerTest, OnAndOffNeedNotPairUp)
{
    BusyPointerOff();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    BusyPointerOn();
    BusyPointerOn();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    BusyPointerOff();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    {
        BusyPointerScope busy;
        EXPECT_TRUE(BusyPointerIsOn());
    }
    EXPECT_FALSE(BusyPointerIsOn());
}

TEST(QtMessageServiceTest, BoxShowsTitleIconButtonsAndDefaultAndEscAnswersNo)
{
    QtMessageService service;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString defaultText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        icon = box->icon();
        defaultText = box->standardButton(box->defaultButton()) == QMessageBox::No
            ? QStringLiteral("No")
            : QStringLiteral("other");
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        QTest::keyClick(box, Qt::Key_Escape);
    });

    const auto answer = service.show(
        { QStringLiteral("Delete it?"), QStringLiteral("Delete"), MessageService::Icon::Question,
            MessageService::Buttons::YesNo, MessageService::Answer::No });

    EXPECT_EQ(answer, MessageService::Answer::No);
    EXPECT_EQ(title, QStringLiteral("Delete"));
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(defaultText, QStringLiteral("No"));
}
