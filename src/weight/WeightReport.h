#pragma once

#include "print/PrintDocument.h"
#include "print/PrintFont.h"
#include "weight/WeighIn.h"
#include "weight/WeightFile.h"

#include <QColor>
#include <QDate>
#include <QImage>
#include <QList>
#include <QPageLayout>
#include <QString>

class PrintDocumentBuilder;

// The Weight Tracker's printed report of one individual: a header block on
// every page, then, as chosen, the graph, the plan information with the
// progress pictures, and the weigh-in table. It is made from plain values
// and reads nothing else, so the screen, the data tool and the tests make
// the same report.
class WeightReport
{
public:
    static inline const QString Title = QStringLiteral("Weight Tracker Printout");

    // The report options of the print options panel.
    struct Options {
        bool printGraph = true;
        bool planInformation = true;
        bool weightTrackerData = true;
        bool beginningPicture = false;
        bool currentPicture = false;
        bool borderLines = false;
        bool dividerLines = false;
        bool operator==(const Options&) const = default;
    };

    // One row of the log as the screen shows it: the stored date and weight
    // and the two derived texts.
    struct Row {
        QString date;
        QString weight;
        QString change;
        QString difference;
        bool operator==(const Row&) const = default;
    };

    struct Values {
        QString name;
        bool goalReached = false;
        QString beginningDate;
        QString beginningWeight;
        QString goalWeight;
        QString daysPerWeek;
        QString timePerPeriod;
        QString exerciseTypes;
        QString comments;
        QString beginningPictureDate;
        QString currentPictureDate;
        // Grid rows 1 to N - 1, empty rows included.
        QList<Row> rows;
        // Null pictures leave their boxes empty.
        QImage graph;
        QImage beginningPicture;
        QImage currentPicture;
        // The report's text colour: the name box's.
        QColor textColour = Qt::black;
        QDate printed;
    };

    // The rows of a stored log with their derived texts, as the screen
    // computes them.
    static QList<Row> rowsOf(const QList<WeighIn>& log, const QString& beginningWeight);
    // The texts, rows and goal of a stored file, as the screen shows them
    // once it is loaded; the pictures and the date are the caller's.
    static Values valuesOf(const WeightFile& file);

    // The document is titled with the name and the report's title.
    static PrintDocument build(const Values& values, const Options& options,
        const QPageLayout& layout, const PrintFont& font);

private:
    WeightReport(const Values& values, const Options& options, PrintDocumentBuilder& builder,
        const PrintFont& font);

    void headerBlock();
    void newPage();
    void frame(qreal bottom);
    void graphSection();
    void planSection();
    void pictures();
    void weighInTable();
    void tableTitleBlock();
    void tableHeadings();
    void tableRow(const Row& row);
    // The print font in the report's colour, with the given boldness.
    void applyFont(bool bold);
    // The distance before the page's lower edge where the header's right
    // texts end, and where lines of the plan section stop.
    qreal rightGap() const;
    qreal planBottom() const;

    const Values& m_values;
    const Options& m_options;
    PrintDocumentBuilder& m_builder;
    PrintFont m_font;
    qreal m_width;
    qreal m_height;
};
