#pragma once

#include "bloodpressure/BloodPressureCategory.h"
#include "bloodpressure/BloodPressureGuideline.h"
#include "bloodpressure/Reading.h"
#include "print/PrintDocument.h"
#include "print/PrintFont.h"

#include <QDate>
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QString>

class BloodPressureStatistics;
class PrintDocumentBuilder;

// The Blood Pressure Tracker's printed report of one individual: a header
// block on every page, optionally the graph, and the table of the latest
// readings with every pressure coloured and marked by its category, under a
// colour legend and, where the table starts, a line of averages. Made from
// plain values, so that the screen, the data tool and the tests make the
// same report.
class BloodPressureReport
{
public:
    static inline const QString Title = QStringLiteral("Blood Pressure Printout");
    static inline const QString TableTitle = QStringLiteral("Blood Pressure Data");

    struct Options {
        // PrintEntryCount: the number of latest entries to print, 0 for all.
        int entryCount = 0;
        bool printGraph = true;
        bool borderLines = false;
        bool dividerLines = false;
        // A first page of figures for the doctor, before the report.
        bool summaryPage = false;
        bool operator==(const Options&) const = default;
    };

    struct Values {
        QString name;
        // Grid rows 1 to N - 1, empty rows included.
        QList<Reading> rows;
        // A null picture leaves the graph box empty.
        QImage graph;
        QDate printed;
        // The categories, colours and marks of the table and the summary.
        BloodPressureGuideline::Id guideline = BloodPressureGuideline::Id::Own;
        // The summary page's graph, with its moving averages.
        QImage summaryGraph;
    };

    // How a pressure prints: its text with the category's mark, in the
    // category's colour, underlined for a crisis. A value whose leading
    // number is not above 0 prints as it is, in black.
    struct Cell {
        QString text;
        QColor colour;
        bool underlined = false;
    };
    static Cell systolicCell(const QString& value);
    static Cell diastolicCell(const QString& value);
    // The same under a guideline.
    static Cell cell(const QString& value, bool systolic, const BloodPressureGuideline& guideline);

    static inline const QString SummaryTitle = QStringLiteral("Blood Pressure Summary");

    // The document is titled with the name and the report's title.
    static PrintDocument build(const Values& values, const Options& options,
        const QPageLayout& layout, const PrintFont& font);

private:
    BloodPressureReport(const Values& values, const Options& options, PrintDocumentBuilder& builder,
        const PrintFont& font);

    void headerBlock();
    void summaryPage();
    void summaryCategories(const BloodPressureStatistics& statistics);
    void newPage();
    void frame();
    void graphSection();
    void table();
    void tableTitleBlock(bool withAverages);
    void legend();
    // Another guideline than the program's own: its name, then its
    // categories spread over the line.
    void guidelineLegend();
    void averagesLine();
    void tableRow(const Reading& reading);
    void cellAt(qreal x, const Cell& cell);
    // The table's font: the print font two points smaller, in bold or not.
    void applyBodyFont(bool bold);
    qreal column(int index) const;

    const Values& m_values;
    const Options& m_options;
    PrintDocumentBuilder& m_builder;
    PrintFont m_font;
    const BloodPressureGuideline& m_guideline;
    QList<Reading> m_range;
    // The summary page comes before the table's pages, which are numbered
    // from 1.
    int m_pagesBeforeTable = 0;
    qreal m_width;
    qreal m_height;
};
