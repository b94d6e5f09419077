#include "CommandNames.h"
#include "OrientedJpeg.h"
#include "PrintPanelEscape.h"
#include "ReadOnlyFolder.h"
#include "TrackerScreenDriver.h"

#include "print/PrintDocument.h"
#include "screens/PrintOptionsPanel.h"
#include "storage/GColor4File.h"
#include "storage/StoredDate.h"
#include "weight/WeightFile.h"
#include "weight/ui/WeightTracker.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Answer = MessageService::Answer;

// The Weight Tracker's "&Print Options" with Ann on display: 60 weekly
// weigh-ins from 200, and, when asked, references to progress pictures.
class WeightPrintOptionsTest : public ::testing::Test
{
protected:
    TrackerScreenDriver driver { weightTrackerKind() };

    void storeAnn(std::optional<QString> beginningPicture = std::nullopt,
        std::optional<QString> currentPicture = std::nullopt, const QString& goal = "150")
    {
        WeightFile file;
        file.name = QStringLiteral("Ann");
        file.beginningDate = QStringLiteral("January 01, 2013");
        file.beginningWeight = QStringLiteral("200");
        file.goalWeight = goal;
        file.beginningPictureDate = QStringLiteral("January 01, 2013");
        file.currentPictureDate = QStringLiteral("March 01, 2014");
        file.beginningPicture = beginningPicture;
        file.currentPicture = currentPicture;
        file.comments = QStringLiteral("Walk before breakfast.");
        file.rowCount = 70;
        for (int week = 0; week < 60; ++week)
            file.rows.append({ StoredDate::longText(QDate(2013, 1, 1).addDays(7 * week)),
                QString::number(200 - 0.5 * week) });
        ASSERT_TRUE(file.SaveWeightFile(driver.folder.folder()));
        IndividualList list = WeightFile::LoadIndividualList(driver.folder.folder());
        list.add(file.name);
        ASSERT_TRUE(WeightFile::WriteIndividualList(driver.folder.folder(), list));
    }

    void openAnn()
    {
        driver.open();
        driver.select(QStringLiteral("Ann"));
    }

    PrintOptionsPanel* panel() const
    {
        return driver.find<PrintOptionsPanel>(QStringLiteral("SSPanel80"));
    }
    QCheckBox* option(const char* name) const
    {
        return driver.find<QCheckBox>(QLatin1String(name));
    }
    void printOptions()
    {
        QTest::mouseClick(driver.button(TrackerCommand::PrintOptions), Qt::LeftButton);
    }
    // On its box: a short caption leaves the middle of a wide check box
    // outside what a click may hit.
    void clickOption(const char* name)
    {
        QCheckBox* box = option(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

    const PrintDocument& report() const { return panel()->document(); }
    QStringList reportTexts() const
    {
        QStringList texts;
        for (int page = 0; page < report().pageCount(); ++page)
            texts += report().texts(page);
        return texts;
    }
    QList<PrintPicture> pictures(int page) const
    {
        QList<PrintPicture> found;
        for (const PrintItem& item : report().page(page)) {
            if (const auto* picture = std::get_if<PrintPicture>(&item))
                found.append(*picture);
        }
        return found;
    }
    QString pictureFile(const char* name, Qt::GlobalColor colour) const
    {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(colour);
        const QString path = driver.folder.filePath(QLatin1String(name));
        picture.save(path);
        return path;
    }
};

} // namespace

TEST_F(WeightPrintOptionsTest, UnsavedChangesAreAskedAboutFirstAndCancelKeepsThePanelClosed)
{
    storeAnn();
    openAnn();
    driver.typeIntoCell(61, 2, QStringLiteral("170"));
    ASSERT_EQ(driver.screen->changesMade(), TrackerScreen::Changed);
    driver.messages.queueAnswer(Answer::Cancel);
    printOptions();
    EXPECT_EQ(driver.messages.last().text,
        QStringLiteral("Save changes made to Weight Tracker before next action or exiting?"));
    EXPECT_FALSE(panel()->printOptionsOpen());

    driver.messages.queueAnswer(Answer::No);
    printOptions();
    EXPECT_TRUE(panel()->printOptionsOpen());
}

TEST_F(WeightPrintOptionsTest, ThePanelShowsTheDisplayedIndividualsReport)
{
    storeAnn();
    openAnn();
    printOptions();
    ASSERT_TRUE(panel()->printOptionsOpen());
    EXPECT_EQ(
        driver.find<QLabel>(QStringLiteral("StatusBar1Panel1"))->text(), QStringLiteral("Print"));
    EXPECT_FALSE(driver.find<QMenu>(QStringLiteral("mO"))->menuAction()->isEnabled());

    // A dialog closing over the panel gives the window back to the panel,
    // not to the commands it covers.
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(driver.screen.get(), &activate);
    EXPECT_EQ(
        driver.find<QLabel>(QStringLiteral("StatusBar1Panel1"))->text(), QStringLiteral("Print"));
    EXPECT_FALSE(driver.button(TrackerCommand::ViewExisting)->hasFocus());

    ASSERT_GE(report().pageCount(), 2);
    const QStringList texts = reportTexts();
    EXPECT_EQ(texts.first(), QStringLiteral("Ann"));
    EXPECT_TRUE(texts.contains(QStringLiteral("Beginning Weight: 200")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Walk before breakfast.")));
    EXPECT_TRUE(texts.contains(StoredDate::longText(QDate(2013, 1, 1).addDays(7 * 59))));
    EXPECT_TRUE(texts.contains(QStringLiteral("170.5")));
    // This run's graph, also written to Chartxxx.jpg.
    ASSERT_FALSE(pictures(0).isEmpty());
    EXPECT_FALSE(pictures(0).first().image.isNull());
    EXPECT_TRUE(driver.folder.exists(WeightTracker::ChartFileName));

    // F1 opens the panel's help; Escape undoes Enlarge, then closes the
    // panel, which stores the font.
    QTest::keyClick(driver.screen.get(), Qt::Key_F1);
    EXPECT_EQ(driver.help.last(), WeightTracker::PrintOptionsHelpTopic);
    expectEscapeShrinksThenCloses(driver.screen.get(), panel());
    EXPECT_TRUE(driver.find<QMenu>(QStringLiteral("mO"))->menuAction()->isEnabled());
    EXPECT_EQ(driver.find<QLabel>(QStringLiteral("StatusBar1Panel1"))->text(),
        QStringLiteral("Weight Tracker"));
    EXPECT_EQ(GColor4File(driver.folder.folder()).weightPrintFontSize(), 14);
}

TEST_F(WeightPrintOptionsTest, ReportOptionsRebuildTheReportAndStayWhileTheScreenIsOpen)
{
    storeAnn();
    openAnn();
    printOptions();
    const struct {
        const char* name;
        bool ticked;
    } start[] { { "SSCheck3", true }, { "SSCheck80_0", true }, { "SSCheck80_1", true },
        { "SSCheck2_0", false }, { "SSCheck2_1", false }, { "SSCheck1", false },
        { "SSCheck4", false } };
    for (const auto& expected : start)
        EXPECT_EQ(option(expected.name)->isChecked(), expected.ticked) << expected.name;

    clickOption("SSCheck3");
    EXPECT_TRUE(pictures(0).isEmpty());
    clickOption("SSCheck80_0");
    EXPECT_FALSE(reportTexts().contains(QStringLiteral("Exercise Plan and Information")));
    QTest::mouseClick(driver.button("SSCommand80_2"), Qt::LeftButton);

    printOptions();
    EXPECT_FALSE(option("SSCheck3")->isChecked());
    EXPECT_FALSE(option("SSCheck80_0")->isChecked());
    EXPECT_TRUE(pictures(0).isEmpty());
    EXPECT_TRUE(reportTexts().contains(QStringLiteral("Weight Tracker Data")));
}

TEST_F(WeightPrintOptionsTest, PictureOptionsNeedAShownPictureAndAreClearedOnOpening)
{
    storeAnn(pictureFile("before.png", Qt::red), driver.folder.filePath("gone.png"));
    openAnn();
    printOptions();
    QCheckBox* beginning = option("SSCheck2_0");
    QCheckBox* current = option("SSCheck2_1");
    EXPECT_TRUE(beginning->isEnabled());
    EXPECT_FALSE(beginning->font().strikeOut());
    EXPECT_FALSE(current->isEnabled());
    EXPECT_TRUE(current->font().strikeOut());

    clickOption("SSCheck2_0");
    EXPECT_TRUE(reportTexts().contains(QStringLiteral("Beginning Photo: January 01, 2013")));

    // Without the plan section a picture option changes nothing to rebuild.
    clickOption("SSCheck80_0");
    driver.folder.write(WeightTracker::ChartFileName, "untouched");
    clickOption("SSCheck2_0");
    EXPECT_EQ(driver.folder.read(WeightTracker::ChartFileName), QByteArray("untouched"));

    QTest::mouseClick(driver.button("SSCommand80_2"), Qt::LeftButton);
    clickOption("SSCheck80_0");
    printOptions();
    EXPECT_FALSE(beginning->isChecked());

    // With no reference stored both are unavailable.
    driver.screen.reset();
    driver.folder.write("Ann.Fil", QByteArray());
    storeAnn();
    openAnn();
    printOptions();
    for (QCheckBox* box : { option("SSCheck2_0"), option("SSCheck2_1") }) {
        EXPECT_FALSE(box->isEnabled());
        EXPECT_TRUE(box->font().strikeOut());
    }
}

TEST_F(WeightPrintOptionsTest, PictureDatesNeverStoredPrintAsTheFrameShowsThem)
{
    storeAnn(pictureFile("before.png", Qt::red), pictureFile("after.png", Qt::green));
    std::optional<WeightFile> ann
        = WeightFile::LoadWeightFile(driver.folder.folder(), QStringLiteral("Ann"));
    ASSERT_TRUE(ann);
    ann->beginningPictureDate.clear();
    ann->currentPictureDate = QStringLiteral("  ");
    ASSERT_TRUE(ann->SaveWeightFile(driver.folder.folder()));
    openAnn();
    EXPECT_EQ(driver.find<QLineEdit>(QStringLiteral("Text1_7"))->text(), "Date Photo Taken");
    printOptions();
    clickOption("SSCheck2_0");
    clickOption("SSCheck2_1");
    const QStringList texts = reportTexts();
    EXPECT_TRUE(texts.contains(QStringLiteral("Beginning Photo: Date Photo Taken")))
        << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Current Photo: Date Photo Taken")));
}

TEST_F(WeightPrintOptionsTest, TheReportPrintsThePicturesTheFrameShowsUpright)
{
    // A camera photo stored sideways (wide) with the tag that turns it
    // upright (tall); and a current picture whose file appeared only after
    // Ann was selected, which the frame therefore does not show.
    QImage sideways(300, 200, QImage::Format_RGB32);
    sideways.fill(Qt::blue);
    const QString beginning = driver.folder.filePath("camera.jpg");
    driver.folder.write("camera.jpg", jpegWithOrientation(sideways, 6));
    const QString current = driver.folder.filePath("later.png");
    storeAnn(beginning, current);
    openAnn();
    pictureFile("later.png", Qt::green);

    printOptions();
    EXPECT_TRUE(option("SSCheck2_0")->isEnabled());
    EXPECT_FALSE(option("SSCheck2_1")->isEnabled());
    clickOption("SSCheck2_0");
    QList<PrintPicture> printed;
    for (int page = 0; page < report().pageCount(); ++page)
        printed += pictures(page);
    const auto photo = std::find_if(printed.begin(), printed.end(),
        [](const PrintPicture& picture) { return picture.image.height() == 300; });
    ASSERT_NE(photo, printed.end()) << "the photo is printed upright, 200 wide and 300 high";
    EXPECT_EQ(photo->image.width(), 200);
}

TEST_F(WeightPrintOptionsTest, AGraphThatCannotBeWrittenNeverPrintsAnOlderOne)
{
    storeAnn();
    openAnn();
    QImage older(64, 48, QImage::Format_RGB32);
    older.fill(Qt::red);
    ASSERT_TRUE(older.save(driver.folder.filePath(WeightTracker::ChartFileName), "JPEG"));
    const QByteArray olderBytes = driver.folder.read(WeightTracker::ChartFileName);
    {
        const ReadOnlyFolder readOnly(driver.folder.path());
        if (!readOnly.isEffective())
            GTEST_SKIP() << "this system cannot make a folder refuse writes";
        printOptions();
    }
    ASSERT_TRUE(panel()->printOptionsOpen());
    EXPECT_EQ(driver.folder.read(WeightTracker::ChartFileName), olderBytes);
    const QImage graph = pictures(0).first().image;
    ASSERT_FALSE(graph.isNull());
    EXPECT_NE(graph.size(), older.size());
    EXPECT_NE(graph.pixelColor(graph.width() / 2, 2), QColor(Qt::red));
}

TEST_F(WeightPrintOptionsTest, AReachedGoalIsPrintedInBlue)
{
    storeAnn(std::nullopt, std::nullopt, QStringLiteral("175"));
    openAnn();
    printOptions();
    const QStringList first = report().texts(0);
    ASSERT_GE(first.size(), 2);
    EXPECT_EQ(first[1], QStringLiteral("GOAL WEIGHT ACHIEVED"));
}
