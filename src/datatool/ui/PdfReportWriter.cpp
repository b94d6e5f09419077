#include "PdfReportWriter.h"

#include "bloodpressure/BloodPressureFile.h"
#include "bloodpressure/BloodPressureGraphData.h"
#include "bloodpressure/BloodPressureReport.h"
#include "bloodpressure/PrintEntryCount.h"
#include "datatool/PasswordSnapshot.h"
#include "passwords/PasswordFiles.h"
#include "passwords/PasswordReport.h"
#include "print/PdfFile.h"
#include "screens/LineChart.h"
#include "storage/GColor4File.h"
#include "storage/ProgramFolder.h"
#include "storage/ProgramSettings.h"
#include "storage/WeightPersonSettings.h"
#include "weight/WeightFile.h"
#include "weight/WeightGraphData.h"
#include "weight/WeightReport.h"

#include <QDate>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>

namespace {

// A picture option needs its picture: the screen disables the option when
// the picture is not shown.
Outcome loadPicture(const std::optional<QString>& path, const char* option, QImage& picture)
{
    const QString stored = path.value_or(QString()).trimmed();
    // Only a regular file is opened: a pipe would block the report for ever.
    if (!stored.isEmpty() && QFileInfo(stored).isFile())
        picture = QImage(stored);
    if (!picture.isNull())
        return Outcome::success();
    return Outcome::failed(stored.isEmpty()
            ? QStringLiteral("%1: no picture is stored").arg(QLatin1String(option))
            : QStringLiteral("%1: the picture %2 could not be loaded")
                  .arg(QLatin1String(option), stored));
}

enum class Tracker { Weight, BloodPressure };

// The print font and size stored for a tracker's panel. Reading a settings
// file creates it; a report leaves the folder as it found it.
PrintFont storedFont(const ProgramFolder& folder, Tracker tracker)
{
    PrintFont font;
    if (!folder.exists(GColor4File::FileName))
        return font;
    const GColor4File settings(folder);
    if (tracker == Tracker::Weight) {
        font.family = settings.weightPrintFontName(PrintFont::DefaultFamily);
        font.points = settings.weightPrintFontSize();
    } else {
        font.family = settings.bloodPressurePrintFontName(PrintFont::DefaultFamily);
        font.points = settings.bloodPressurePrintFontSize();
    }
    return font;
}

QPageLayout layoutOf(const ReportWriter::Request& request)
{
    const QPageSize paper = request.paper.isEmpty() ? PrintDocument::defaultPaper()
        : request.paper == u"a4"                    ? QPageSize(QPageSize::A4)
                                                    : QPageSize(QPageSize::Letter);
    return PrintDocument::paperLayout(
        paper, request.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

} // namespace

Outcome PdfReportWriter::writeWeightReport(const Request& request)
{
    const ProgramFolder folder(request.folder);
    QString error;
    const std::optional<WeightFile> file = WeightFile::LoadWeightFile(folder, request.name, &error);
    if (!file)
        return Outcome::failed(error);

    WeightReport::Options options;
    if (request.options) {
        const QStringList& ticked = *request.options;
        options.printGraph = ticked.contains(QStringLiteral("graph"));
        options.planInformation = ticked.contains(QStringLiteral("plan"));
        options.weightTrackerData = ticked.contains(QStringLiteral("data"));
        options.beginningPicture = ticked.contains(QStringLiteral("beginning-picture"));
        options.currentPicture = ticked.contains(QStringLiteral("current-picture"));
        options.borderLines = ticked.contains(QStringLiteral("border-lines"));
        options.dividerLines = ticked.contains(QStringLiteral("divider-lines"));
    }

    WeightReport::Values values = WeightReport::valuesOf(*file);
    values.printed = QDate::currentDate();
    if (options.beginningPicture) {
        if (Outcome loaded
            = loadPicture(file->beginningPicture, "beginning-picture", values.beginningPicture);
            !loaded)
            return loaded;
    }
    if (options.currentPicture) {
        if (Outcome loaded
            = loadPicture(file->currentPicture, "current-picture", values.currentPicture);
            !loaded)
            return loaded;
    }
    if (options.printGraph) {
        QList<WeighIn> log;
        for (int row = 1; row < file->storedRowCount(); ++row)
            log.append(file->row(row));
        // The same lines as the screen's graph: the trend only when the
        // Weight Tracker's Options menu shows it.
        WeightGraphData::Options graphOptions;
        graphOptions.trend
            = ProgramSettings(folder).additionShown(ProgramSettings::Addition::WeightGraphTrend);
        graphOptions.valueAxisTitle
            = WeightGraphData::valueAxisTitle(WeightPersonSettings(folder).read(file->name).unit);
        LineChart chart;
        chart.showGraph(WeightGraphData::build(
            file->name, log, file->goalWeight, file->beginningWeight, graphOptions));
        values.graph = chart.image();
    }

    return PdfFile::save(WeightReport::build(values, options, layoutOf(request),
                             storedFont(folder, Tracker::Weight)),
        request.output);
}

Outcome PdfReportWriter::writeBloodPressureReport(const Request& request)
{
    const ProgramFolder folder(request.folder);
    QString error;
    const std::optional<BloodPressureFile> file
        = BloodPressureFile::LoadBloodPressureFile(folder, request.name, &error);
    if (!file)
        return Outcome::failed(error);

    BloodPressureReport::Options options;
    options.entryCount = request.entries;
    if (request.options) {
        const QStringList& ticked = *request.options;
        options.printGraph = ticked.contains(QStringLiteral("graph"));
        options.borderLines = ticked.contains(QStringLiteral("border-lines"));
        options.dividerLines = ticked.contains(QStringLiteral("divider-lines"));
        options.summaryPage = ticked.contains(QStringLiteral("summary"));
    }

    BloodPressureReport::Values values;
    values.guideline = request.guideline.value_or(BloodPressureGuideline::stored(folder));
    values.name = file->name;
    for (int row = 1; row < file->storedRowCount(); ++row)
        values.rows.append(file->row(row));
    values.printed = QDate::currentDate();
    if (options.printGraph) {
        // The graph the screen would print, with the time of reading not
        // shown, as the screen starts.
        LineChart chart;
        chart.showGraph(BloodPressureGraphData::printUsesScreenGraph(options.entryCount)
                ? BloodPressureGraphData::screenGraph(file->name, values.rows, false)
                : BloodPressureGraphData::printGraph(
                    file->name, values.rows, options.entryCount, false));
        values.graph = chart.image();
    }
    if (options.summaryPage) {
        LineChart chart;
        chart.showGraph(BloodPressureGraphData::summaryGraph(
            file->name, PrintEntryCount::printedRange(values.rows, options.entryCount)));
        values.summaryGraph = chart.image();
    }
    return PdfFile::save(BloodPressureReport::build(values, options, layoutOf(request),
                             storedFont(folder, Tracker::BloodPressure)),
        request.output);
}

Outcome PdfReportWriter::writePasswordReport(const Request& request)
{
    PasswordSnapshot snapshot;
    const ProgramFolder folder(request.folder);
    const Outcome loaded
        = request.passwords ? snapshot.load(folder, request.passwords) : snapshot.load(folder);
    if (!loaded)
        return loaded;
    const qsizetype item = PasswordFiles::findByName(snapshot.items(), request.name);
    if (item < 0)
        return Outcome::failed(QStringLiteral("%1: no entry named \"%2\"")
                                   .arg(PasswordFiles::IndexFileName, request.name.trimmed()));
    // The keeper's printout always opens in Times New Roman 12.
    PrintFont font;
    font.points = 12;
    return PdfFile::save(PasswordReport::build(snapshot.entry(snapshot.items().at(item)),
                             QDate::currentDate(), layoutOf(request), font),
        request.output, true);
}
