#include "CommandNames.h"
#include "PrintPanelEscape.h"
#include "ReadOnlyFolder.h"
#include "TrackerScreenDriver.h"

#include "bloodpressure/BloodPressureFile.h"
#include "bloodpressure/ui/BPTracker.h"
#include "print/PrintDocument.h"
#include "screens/PrintOptionsPanel.h"
#include "storage/GColor4File.h"
#include "storage/StoredDate.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Answer = MessageService::Answer;

QString dayDate(int day)
{
    return StoredDate::longText(QDate(2013, 1, 1).addDays(day));
}

// The Blood Pressure Tracker's "&Print Options" with Ann on display.
class BPPrintOptionsTest : public ::testing::Test
{
protected:
    TrackerScreenDriver driver { bloodPressureTrackerKind() };

    // count daily readings with pulses from 60 up, in a grid of count + 10
    // rows.
    void storeAnn(int count)
    {
        BloodPressureFile file;
        file.name = QStringLiteral("Ann");
        file.rowCount = count + 10;
        for (int i = 0; i < count; ++i)
            file.rows.append({ dayDate(i), QStringLiteral("7:05 AM"), QStringLiteral("128"),
                QStringLiteral("84"), QString::number(60 + i) });
        ASSERT_TRUE(file.SaveBloodPressureFile(driver.folder.folder()));
        IndividualList list = BloodPressureFile::LoadBpIndividualList(driver.folder.folder());
        if (!list.contains(file.name))
            list.add(file.name);
        ASSERT_TRUE(BloodPressureFile::WriteBpIndividualList(driver.folder.folder(), list));
    }
    void openAnn(int count)
    {
        storeAnn(count);
        driver.open();
        driver.select(QStringLiteral("Ann"));
    }

    BPTracker* screen() const { return static_cast<BPTracker*>(driver.screen.get()); }
    PrintOptionsPanel* panel() const
    {
        return driver.find<PrintOptionsPanel>(QStringLiteral("SSPanel80"));
    }
    QRadioButton* choice(int index) const
    {
        return driver.find<QRadioButton>(QStringLiteral("SSOption2_%1").arg(index));
    }
    QCheckBox* option(const char* name) const
    {
        return driver.find<QCheckBox>(QLatin1String(name));
    }
    void printOptions()
    {
        QTest::mouseClick(driver.button(TrackerCommand::PrintOptions), Qt::LeftButton);
    }
    void click(QAbstractButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    QString status() const
    {
        return driver.find<QLabel>(QStringLiteral("StatusBar1Panel1"))->text();
    }

    const PrintDocument& report() const { return panel()->document(); }
    QStringList reportTexts() const
    {
        QStringList texts;
        for (int page = 0; page < report().pageCount(); ++page)
            texts += report().texts(page);
        return texts;
    }
    QStringList printedDates() const
    {
        QStringList dates;
        for (const QString& text : reportTexts()) {
            if (text.contains(QStringLiteral(", 20")) && !text.startsWith(u"Printed"))
                dates.append(text);
        }
        return dates;
    }
    QList<PrintPicture> pictures() const
    {
        QList<PrintPicture> found;
        for (const PrintItem& item : report().page(0)) {
            if (const auto* picture = std::get_if<PrintPicture>(&item))
                found.append(*picture);
        }
        return found;
    }
    QStringList offeredChoices() const
    {
        QStringList offered;
        for (int i = 0; i < 9; ++i) {
            if (choice(i)->isVisible())
                offered.append(choice(i)->text());
        }
        return offered;
    }
};

} // namespace

TEST_F(BPPrintOptionsTest, OffersOnlyTheNumbersSmallerThanTheNumberOfEntries)
{
    struct Case {
        int entries;
        QStringList offered;
    };
    const QList<Case> cases {
        { 0, { "All" } },
        { 5, { "All" } },
        { 6, { "All", "5" } },
        { 12, { "All", "5", "10" } },
        { 20, { "All", "5", "10", "15" } },
        { 31, { "All", "5", "10", "15", "20", "30" } },
        { 61, { "All", "5", "10", "15", "20", "30", "45", "60" } },
        { 91, { "All", "5", "10", "15", "20", "30", "45", "60", "90" } },
    };
    for (const Case& c : cases) {
        openAnn(c.entries);
        printOptions();
        ASSERT_TRUE(panel()->printOptionsOpen()) << c.entries;
        EXPECT_EQ(offeredChoices(), c.offered) << c.entries;
        EXPECT_TRUE(choice(0)->isChecked());
        driver.screen.reset();
    }
}

TEST_F(BPPrintOptionsTest, ChoosingANumberPrintsTheLatestEntriesUntilThePanelReopens)
{
    openAnn(12);
    printOptions();
    ASSERT_TRUE(panel()->printOptionsOpen());
    EXPECT_EQ(status(), QStringLiteral("Print"));
    EXPECT_FALSE(driver.find<QMenu>(QStringLiteral("mO"))->menuAction()->isEnabled());
    EXPECT_EQ(printedDates().size(), 12);
    EXPECT_EQ(reportTexts().first(), QStringLiteral("Ann"));

    click(choice(2));
    QStringList latest;
    for (int i = 2; i < 12; ++i)
        latest.append(dayDate(i));
    EXPECT_EQ(printedDates(), latest);
    EXPECT_TRUE(reportTexts().contains(QStringLiteral("( 67 )")));
    // The print graph of those ten, drawn for this run.
    ASSERT_EQ(pictures().size(), 1);
    EXPECT_FALSE(pictures().first().image.isNull());
    EXPECT_TRUE(driver.folder.exists(BPTracker::GraphImageFileName));

    // Closing stores the font; the next opening starts from "All".
    QTest::mouseClick(driver.button("SSCommand80_2"), Qt::LeftButton);
    EXPECT_FALSE(panel()->printOptionsOpen());
    EXPECT_EQ(status(), QStringLiteral("Blood Pressure Tracker"));
    EXPECT_TRUE(driver.find<QMenu>(QStringLiteral("mO"))->menuAction()->isEnabled());
    EXPECT_EQ(GColor4File(driver.folder.folder()).bloodPressurePrintFontSize(), 14);
    printOptions();
    EXPECT_TRUE(choice(0)->isChecked());
    EXPECT_EQ(printedDates().size(), 12);
}

TEST_F(BPPrintOptionsTest, ReportOptionsRebuildTheReportAndKeepTheirState)
{
    openAnn(12);
    printOptions();
    EXPECT_TRUE(option("SSCheck3")->isChecked());
    EXPECT_FALSE(option("SSCheck1")->isChecked());
    EXPECT_FALSE(option("SSCheck2")->isChecked());
    EXPECT_EQ(pictures().size(), 1);

    click(option("SSCheck3"));
    EXPECT_TRUE(pictures().isEmpty());
    click(option("SSCheck1"));
    bool framed = false;
    for (const PrintItem& item : report().page(0))
        framed = framed || std::holds_alternative<PrintRectangle>(item);
    EXPECT_TRUE(framed);

    QTest::mouseClick(driver.button("SSCommand80_2"), Qt::LeftButton);
    printOptions();
    EXPECT_FALSE(option("SSCheck3")->isChecked());
    EXPECT_TRUE(option("SSCheck1")->isChecked());
    EXPECT_TRUE(pictures().isEmpty());
}

TEST_F(BPPrintOptionsTest, ChecksBeforeOpeningAndEscapeAfter)
{
    openAnn(12);
    // The measurement chart gives way to the log.
    QTest::mouseClick(driver.button(TrackerCommand::PlanOrChart), Qt::LeftButton);
    ASSERT_TRUE(driver.find(QStringLiteral("SSPanel6"))->isVisible());
    driver.typeIntoCell(1, 2, QStringLiteral("8:00 AM"));
    ASSERT_EQ(screen()->changesMade(), TrackerScreen::Changed);
    driver.messages.queueAnswer(Answer::Cancel);
    printOptions();
    EXPECT_FALSE(driver.find(QStringLiteral("SSPanel6"))->isVisible());
    EXPECT_EQ(driver.messages.last().text,
        QStringLiteral(
            "Save changes made to Blood Pressure Tracker before next action or exiting?"));
    EXPECT_FALSE(panel()->printOptionsOpen());

    driver.messages.queueAnswer(Answer::No);
    printOptions();
    ASSERT_TRUE(panel()->printOptionsOpen());

    QTest::keyClick(driver.screen.get(), Qt::Key_F1);
    EXPECT_EQ(driver.help.last(), BPTracker::PrintOptionsHelpTopic);
    expectEscapeShrinksThenCloses(driver.screen.get(), panel());
}

TEST_F(BPPrintOptionsTest, AGraphThatCannotBeWrittenNeverPrintsAnOlderOne)
{
    openAnn(30);
    QImage older(64, 48, QImage::Format_RGB32);
    older.fill(Qt::red);
    ASSERT_TRUE(older.save(driver.folder.filePath(BPTracker::GraphImageFileName), "JPEG"));
    const QByteArray olderBytes = driver.folder.read(BPTracker::GraphImageFileName);
    {
        const ReadOnlyFolder readOnly(driver.folder.path());
        if (!readOnly.isEffective())
            GTEST_SKIP() << "this system cannot make a folder refuse writes";
        printOptions();
        click(choice(2));
    }
    ASSERT_TRUE(panel()->printOptionsOpen());
    EXPECT_EQ(driver.folder.read(BPTracker::GraphImageFileName), olderBytes);
    ASSERT_EQ(pictures().size(), 1);
    const QImage graph = pictures().first().image;
    ASSERT_FALSE(graph.isNull());
    EXPECT_NE(graph.size(), older.size());
}
