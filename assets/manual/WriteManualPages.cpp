// Writes the manual pages of halvorn and halvorn-data from the usage texts
// the two programs print, so that a page never says other than --help.

#include "ManualPage.h"

#include "datatool/DataTool.h"
#include "shell/ProgramStart.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>

#include <cstdio>

namespace {

// An installed copy's folder, as a reader of the page would find it; the
// programs print the expanded path of the user who runs them.
const QString InstalledDataFolder = QStringLiteral("~/.local/share/Halvorn");

bool write(const QDir& folder, const QString& command, const ManualPage& page)
{
    QSaveFile file(folder.filePath(command + QStringLiteral(".1")));
    if (!file.open(QIODevice::WriteOnly) || file.write(page.toRoff().toUtf8()) < 0
        || !file.commit()) {
        std::fprintf(
            stderr, "%s: %s\n", qPrintable(file.fileName()), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

ManualPage programPage(const QString& source, const QString& date)
{
    ManualPage page(QStringLiteral("halvorn"),
        QStringLiteral("weight and blood-pressure logs and password entries for a household"),
        source, date);
    page.addParagraphs(QStringLiteral("DESCRIPTION"),
        { QStringLiteral("Halvorn keeps a weight log and a blood-pressure log for any number of "
                         "named people and a list of password entries, with derived figures, "
                         "graphs, printed reports, and backup and restore of each function's "
                         "files.") });
    page.addUsage(ProgramStart::usage());
    page.addParagraphs(QStringLiteral("FILES"),
        { InstalledDataFolder
            + QStringLiteral(": every log and setting of an installed copy, made on its first "
                             "start. halvorn-data(1) tells where a copy run from a folder of its "
                             "own keeps them, and how to back them up.") });
    page.addSeeAlso(QStringLiteral("halvorn-data"));
    return page;
}

ManualPage dataToolPage(const QString& source, const QString& date)
{
    QBuffer out;
    QBuffer err;
    const DataTool tool(out, err, false, InstalledDataFolder);
    ManualPage page(QStringLiteral("halvorn-data"),
        QStringLiteral("list, export, import, check, back up and restore Halvorn's files"), source,
        date);
    page.addUsage(tool.usage());
    page.addSeeAlso(QStringLiteral("halvorn"));
    return page;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: WriteManualPages OUTPUT_FOLDER VERSION DATE\n");
        return 2;
    }
    const QDir folder(arguments.at(1));
    if (!QDir().mkpath(folder.path()))
        return 1;
    const QString source = QStringLiteral("Halvorn ") + arguments.at(2);
    const QString& date = arguments.at(3);
    const bool ok = write(folder, QStringLiteral("halvorn"), programPage(source, date))
        && write(folder, QStringLiteral("halvorn-data"), dataToolPage(source, date));
    return ok ? 0 : 1;
}
