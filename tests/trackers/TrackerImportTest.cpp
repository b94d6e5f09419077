// Utilities > Import... on both trackers: the preview, then the person's
// file written and shown again, or nothing written at all.

#include "FolderContents.h"
#include "ModalWindow.h"
#include "TrackerScreenDriver.h"

#include "screens/DataGrid.h"
#include "trackers/ui/LogImportPreview.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

QByteArray exportFixture(const QString& name)
{
    QFile file(QDir(QStringLiteral(HALVORN_LOGIMPORT_FIXTURES)).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList column(QTreeWidget* list, int column)
{
    QStringList texts;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        texts.append(list->topLevelItem(i)->text(column));
    return texts;
}

// Of the named controls, those Tab reaches, in the order it reaches them;
// a box's line edit stands for the box.
QStringList tabbedNames(QWidget* window, const QStringList& named)
{
    QStringList reached;
    QWidget* widget = window;
    for (int guard = 0; guard < 1000; ++guard) {
        widget = widget->nextInFocusChain();
        if (widget == window)
            break;
        QString name = widget->objectName();
        if (qobject_cast<QLineEdit*>(widget) && widget->parentWidget())
            name = widget->parentWidget()->objectName();
        if (widget->isVisibleTo(window) && (widget->focusPolicy() & Qt::TabFocus)
            && named.contains(name) && !reached.contains(name))
            reached.append(name);
    }
    return reached;
}

void choosePerson(LogImportPreview* preview, const QString& name)
{
    auto* person = preview->findChild<QComboBox*>("ImportPerson");
    person->setCurrentText(name);
    emit person->lineEdit()->editingFinished();
}

// As a new user would: nobody listed yet, a health service's weight.csv
// into a new person, whose log then shows the weigh-ins.
TEST(TrackerImport, ImportsAWeightExportIntoANewPerson)
{
    TrackerScreenDriver driver(weightTrackerKind());
    driver.open();
    driver.folder.write("weight.csv", exportFixture("withings-weight.csv"));
    driver.dialogs.queueFile(driver.folder.filePath("weight.csv"));
    whenModalOpens<LogImportPreview>("LogImportPreview", [&](LogImportPreview* preview) {
        ASSERT_NE(preview, nullptr);
        auto* importButton = preview->findChild<QPushButton*>("ImportAccept");
        auto* rows = preview->findChild<QTreeWidget*>("ImportRows");
        // The file is shown before anyone is chosen to take it, in its own
        // unit: a new person takes the kilograms the export names.
        EXPECT_EQ(column(rows, 1).join(' ').toStdString(), "80.4 80.2");
        EXPECT_TRUE(preview->findChild<QLabel*>("ImportSummary")
                        ->text()
                        .startsWith("Format: Withings CSV. Choose a person or type a new name."));
        EXPECT_FALSE(importButton->isEnabled());
        choosePerson(preview, "Eve");
        EXPECT_EQ(preview->findChild<QLabel*>("ImportSummary")->text().toStdString(),
            "Format: Withings CSV. Person: Eve (new). 2 rows to add, January 15, 2023 to "
            "January 16, 2023. 0 skipped as already in the log, 1 as not the first weigh-in of "
            "its day. 0 refused.");
        EXPECT_EQ(column(rows, 1).join(' ').toStdString(), "80.4 80.2");
        preview->findChild<QCheckBox*>("ImportEveryWeighIn")->setChecked(true);
        EXPECT_EQ(column(rows, 1).join(' ').toStdString(), "80.4 81 80.2");
        ASSERT_TRUE(importButton->isEnabled());
        importButton->click();
    });
    driver.action("mUImport")->trigger();

    EXPECT_EQ(driver.messages.last().text, "3 rows were imported into the log of Eve.");
    EXPECT_EQ(driver.find<QComboBox>("Combo1")->currentText(), "Eve");
    EXPECT_EQ(driver.grid()->text(1, 1), "January 15, 2023");
    EXPECT_EQ(driver.grid()->text(2, 2).toStdString(), "81");
    EXPECT_EQ(driver.grid()->text(3, 1), "January 16, 2023");
    EXPECT_TRUE(driver.folder.exists("Eve.Fil"));
}

// With the keyboard alone: the name box has the focus when nobody is
// chosen, and Enter there shows that person's preview without importing.
TEST(TrackerImport, EnterInTheNameBoxShowsThePreviewAndImportsNothing)
{
    TrackerScreenDriver driver(weightTrackerKind());
    driver.open();
    driver.folder.write("weight.csv", exportFixture("withings-weight.csv"));
    driver.dialogs.queueFile(driver.folder.filePath("weight.csv"));
    whenModalOpens<LogImportPreview>("LogImportPreview", [&](LogImportPreview* preview) {
        ASSERT_NE(preview, nullptr);
        auto* person = preview->findChild<QComboBox*>("ImportPerson");
        EXPECT_EQ(preview->focusWidget(), person);
        QTest::keyClicks(person, "Eve Day");
        QTest::keyClick(person, Qt::Key_Return);
        EXPECT_TRUE(preview->isVisible());
        EXPECT_TRUE(preview->findChild<QLabel*>("ImportSummary")
                        ->text()
                        .contains("Person: Eve Day (new). 2 rows to add"));
        auto* importButton = preview->findChild<QPushButton*>("ImportAccept");
        ASSERT_TRUE(importButton->isEnabled());
        QTest::keyClick(importButton, Qt::Key_Space);
    });
    driver.action("mUImport")->trigger();
    EXPECT_EQ(driver.messages.last().text, "2 rows were imported into the log of Eve Day.");
}

// The phone's export has two refused lines: the preview names them and
// offers no import; Cancel leaves the folder as it was. The same export
// without them goes into the listed person's log.
TEST(TrackerImport, PreviewsRefusedLinesAndImportsReadingsOnlyWithoutThem)
{
    TrackerScreenDriver driver(bloodPressureTrackerKind());
    driver.storeIndividual("Cy");
    driver.open();
    driver.select("Cy");
    QByteArray xml = exportFixture("apple-export.xml");
    driver.folder.write("export.xml", xml);
    const QMap<QString, QByteArray> before = folderContents(driver.folder.path());
    driver.dialogs.queueFile(driver.folder.filePath("export.xml"));
    whenModalOpens<LogImportPreview>("LogImportPreview", [&](LogImportPreview* preview) {
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(column(preview->findChild<QTreeWidget*>("ImportRefused"), 0),
            QStringList({ "24", "40" }));
        auto* importButton = preview->findChild<QPushButton*>("ImportAccept");
        EXPECT_FALSE(importButton->isEnabled());
        // Leaving the refused lines out offers the rest; Cancel still
        // writes nothing.
        auto* skipRefused = preview->findChild<QCheckBox*>("ImportSkipRefused");
        ASSERT_TRUE(skipRefused->isVisibleTo(preview));
        skipRefused->setChecked(true);
        EXPECT_TRUE(importButton->isEnabled());
        EXPECT_TRUE(preview->findChild<QLabel*>("ImportSummary")
                        ->text()
                        .endsWith("2 refused. The refused lines are left out."));
        preview->findChild<QPushButton*>("ImportCancel")->click();
    });
    driver.action("mUImport")->trigger();
    EXPECT_EQ(folderContents(driver.folder.path()), before);

    const qsizetype cut
        = xml.indexOf(" <Correlation type=\"HKCorrelationTypeIdentifierBloodPressure\" "
                      "sourceName=\"Cuff\" startDate=\"2023-01-17");
    xml = xml.left(cut) + "</HealthData>\n";
    xml.replace("startDate=\"January 16\"", "startDate=\"2023-01-16 07:00:00 -0500\"");
    driver.folder.write("export.xml", xml);
    driver.dialogs.queueFile(driver.folder.filePath("export.xml"));
    whenModalOpens<LogImportPreview>("LogImportPreview", [&](LogImportPreview* preview) {
        ASSERT_NE(preview, nullptr);
        EXPECT_EQ(preview->findChild<QComboBox*>("ImportPerson")->currentText(), "Cy");
        EXPECT_EQ(
            column(preview->findChild<QTreeWidget*>("ImportRows"), 4), QStringList({ "66", "" }));
        preview->findChild<QPushButton*>("ImportAccept")->click();
    });
    driver.action("mUImport")->trigger();
    EXPECT_EQ(driver.messages.last().text, "2 rows were imported into the log of Cy.");
    EXPECT_EQ(driver.grid()->text(1, 2), "7:35 AM");
    EXPECT_EQ(driver.grid()->text(2, 3), "135");
}

// A table no program wrote: the preview guesses the weight column and its
// unit from the headings, asks for the date column, and plans the rows
// again at each choice, made with the keyboard as a user would.
TEST(TrackerImport, ReadsAPlainCsvThroughTheColumnsChosenInThePreview)
{
    TrackerScreenDriver driver(weightTrackerKind());
    driver.open();
    QByteArray csv = exportFixture("plain-weights.csv");
    csv.truncate(csv.indexOf("31.02.2023"));
    driver.folder.write("scale.csv", csv);
    driver.dialogs.queueFile(driver.folder.filePath("scale.csv"));
    whenModalOpens<LogImportPreview>("LogImportPreview", [&](LogImportPreview* preview) {
        ASSERT_NE(preview, nullptr);
        auto* date = preview->findChild<QComboBox*>("mapDate");
        auto* weight = preview->findChild<QComboBox*>("mapWeight");
        auto* order = preview->findChild<QComboBox*>("mapDateOrder");
        auto* unit = preview->findChild<QComboBox*>("mapUnit");
        ASSERT_TRUE(date && weight && order && unit);
        EXPECT_EQ(preview->findChild<QComboBox*>("mapSystolic"), nullptr);
        auto* summary = preview->findChild<QLabel*>("ImportSummary");
        auto* rows = preview->findChild<QTreeWidget*>("ImportRows");
        auto* refused = preview->findChild<QTreeWidget*>("ImportRefused");
        auto* importButton = preview->findChild<QPushButton*>("ImportAccept");
        EXPECT_TRUE(date->isVisibleTo(preview));
        EXPECT_EQ(date->currentText(), "(none)");
        EXPECT_EQ(weight->currentText(), "Body Weight (kg)");
        EXPECT_EQ(unit->currentText(), "kg");
        EXPECT_TRUE(summary->text().endsWith("scale.csv: no column is chosen for the date."))
            << summary->text().toStdString();
        EXPECT_FALSE(importButton->isEnabled());
        // Tab goes down the dialog as it is laid out.
        EXPECT_EQ(tabbedNames(preview,
                      { "ImportPerson", "mapDate", "mapTime", "mapWeight", "mapDateOrder",
                          "mapUnit", "ImportEveryWeighIn" }),
            QStringList({ "ImportPerson", "mapDate", "mapTime", "mapWeight", "mapDateOrder",
                "mapUnit", "ImportEveryWeighIn" }));

        QTest::keyClick(date, Qt::Key_Down);
        EXPECT_EQ(date->currentText(), "Measured on");
        EXPECT_EQ(column(refused, 0), QStringList({ "2", "3", "5" }));
        EXPECT_EQ(column(refused, 1).first().toStdString(),
            "the date \"15.01.2023 07:30\" is not a year-month-day date; the line reads "
            "\"15.01.2023 07:30,\"80,4\",\"");
        QTest::keyClick(order, Qt::Key_Down);
        EXPECT_EQ(order->currentText(), "Day-month-year (15.01.2023)");
        EXPECT_EQ(column(refused, 0), QStringList());
        // In the file's kilograms, which a new person takes; the weigh-in
        // without a time is the day's first.
        EXPECT_EQ(column(rows, 1).join(' ').toStdString(), "81 80.2");
        EXPECT_FALSE(importButton->isEnabled());
        choosePerson(preview, "Eve");
        QTest::keyClick(unit, Qt::Key_Up);
        EXPECT_EQ(unit->currentText(), "The person's unit");
        EXPECT_EQ(column(rows, 1), QStringList({ "81", "80.2" }));
        ASSERT_TRUE(importButton->isEnabled()) << summary->text().toStdString();
        importButton->click();
    });
    driver.action("mUImport")->trigger();

    EXPECT_EQ(driver.messages.last().text, "2 rows were imported into the log of Eve.");
    EXPECT_EQ(driver.grid()->text(1, 2), "81");
    EXPECT_EQ(driver.grid()->text(2, 1), "January 16, 2023");
}

} // namespace
