#include "PdfReportWriter.h"

#include "print/PdfFile.h"
#include "screens/LineChart.h"
#include "storage/GColor4File.h"
#include "storage/ProgramFolder.h"
#include "weight/WeightFile.h"
#include "weight/WeightGraphData.h"
#include "weight/WeightReport.h"

#include <QDate>
#include <QImage>
#include <QPageSize>

namespace {

// A picture option needs its picture: the screen disables the option when
// the picture is not shown.
bool loadPicture(
    const std::optional<QString>& path, const char* option, QImage& picture, QString* error)
{
    const QString stored = path.value_or(QString()).trimmed();
    if (!stored.isEmpty())
        picture = QImage(stored);
    if (!picture.isNull())
        return true;
    if (error)
        *error = stored.isEmpty()
            ? QStringLiteral("%1: no picture is stored").arg(QLatin1String(option))
            : QStringLiteral("%1: the picture %2 could not be loaded")
                  .arg(QLatin1String(option), stored);
    return false;
}

} // namespace

bool PdfReportWriter::writeWeightReport(const Request& request, QString* error)
{
    const ProgramFolder folder(request.folder);
    const std::optional<WeightFile> file = WeightFile::LoadWeightFile(folder, request.name, error);
    if (!file)
        return false;

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
    if (options.beginningPicture
        && !loadPicture(
            file->beginningPicture, "beginning-picture", values.beginningPicture, error))
        return false;
    if (options.currentPicture
        && !loadPicture(file->currentPicture, "current-picture", values.currentPicture, error))
        return false;
    if (options.printGraph) {
        QList<WeighIn> log;
        for (int row = 1; row < file->storedRowCount(); ++row)
            log.append(file->row(row));
        LineChart chart;
        chart.showGraph(
            WeightGraphData::build(file->name, log, file->goalWeight, file->beginningWeight));
        values.graph = chart.image();
    }

    // Reading a settings file creates it; a report leaves the folder as it
    // found it.
    PrintFont font;
    if (folder.exists(GColor4File::FileName)) {
        const GColor4File settings(folder);
        font.family = settings.weightPrintFontName(PrintFont::DefaultFamily);
        font.points = settings.weightPrintFontSize();
    }
    const QPageLayout layout = PrintDocument::paperLayout(
        QPageSize(request.paper == u"a4" ? QPageSize::A4 : QPageSize::Letter),
        request.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    return PdfFile::save(WeightReport::build(values, options, layout, font), request.output, error);
}
