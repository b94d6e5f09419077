#include "BenchCases.h"

#include "BenchFolder.h"
#include "CpuTime.h"
#include "PeakMemory.h"
#include "backup/ui/BackupScreen.h"
#include "bloodpressure/BloodPressureFile.h"
#include "bloodpressure/ui/BPTracker.h"
#include "datatool/DataTool.h"
#include "passwords/IndexItem.h"
#include "passwords/KeeperProtection.h"
#include "passwords/PasswordFiles.h"
#include "passwords/ui/PasswordKeeper.h"
#include "print/PdfFile.h"
#include "screens/DataGrid.h"
#include "screens/FirstOpenWarmUp.h"
#include "screens/ScreenServices.h"
#include "weight/ProgressStatistics.h"
#include "weight/WeightFile.h"
#include "weight/WeightReport.h"
#include "weight/ui/WeightTracker.h"

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QTemporaryDir>

#include <sodium.h>

#include <cstdio>
#include <utility>

namespace {

constexpr int BackupPeople = 2'000;

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Widgets deleted with deleteLater go too, so that one repetition's leftovers
// are not cleaned up inside the next one's timing.
void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace

BenchCases::BenchCases(ProgramFolder folder, Repetitions repetitions)
    : m_folder(std::move(folder))
    , m_repetitions(repetitions)
    , m_help(m_folder)
{ }

BenchCases::~BenchCases() = default;

void BenchCases::check(bool ok, const QString& problem)
{
    if (!ok && !m_problems.contains(problem))
        m_problems.append(problem);
}

// --- exports -----------------------------------------------------------------

BenchReport::Line BenchCases::exportWeight()
{
    return exportLog(QStringLiteral("weight"), BenchFolder::WeightName,
        BenchFolder::WeightName + WeightFile::Extension);
}

BenchReport::Line BenchCases::exportBloodPressure()
{
    return exportLog(QStringLiteral("bp"), BenchFolder::BloodPressureName,
        BenchFolder::BloodPressureName + QStringLiteral(".Fpl"));
}

BenchReport::Line BenchCases::exportLog(
    const QString& kind, const QString& name, const QString& fileName)
{
    const double program = m_repetitions.medianMilliseconds([&] {
        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        DataTool tool(out, err, false, m_folder.path());
        const int status = tool.run({ QStringLiteral("export"), kind, name });
        check(status == DataTool::Success && !out.data().isEmpty(),
            QStringLiteral("halvorn-data export %1 failed: %2")
                .arg(kind, QString::fromUtf8(err.data())));
    });
    const QString path = m_folder.filePath(fileName);
    const double floor = m_repetitions.medianMilliseconds(
        [&] { check(!fileBytes(path).isEmpty(), QStringLiteral("%1 is empty").arg(fileName)); });
    return { QStringLiteral("export %1, 10,000 %2 (CSV)")
                 .arg(kind,
                     kind == u"weight" ? QStringLiteral("weigh-ins") : QStringLiteral("readings")),
        program, floor, QStringLiteral("ms"), QStringLiteral("reading the file's bytes") };
}

// --- the trackers ------------------------------------------------------------

namespace {

const QString& nameOf(BenchCases::Tracker tracker)
{
    return tracker == BenchCases::Tracker::Weight ? BenchFolder::WeightName
                                                  : BenchFolder::BloodPressureName;
}

} // namespace

std::unique_ptr<TrackerScreen> BenchCases::newTracker(Tracker tracker)
{
    const ScreenServices services { m_folder, m_messages, m_dialogs, m_clock, m_state, m_help,
        &BackupScreen::run };
    std::unique_ptr<TrackerScreen> screen;
    if (tracker == Tracker::Weight)
        screen = std::make_unique<WeightTracker>(services);
    else
        screen = std::make_unique<BPTracker>(services);
    screen->show();
    // The list is read once the window is on show.
    QCoreApplication::processEvents();
    return screen;
}

void BenchCases::selectIndividual(QWidget& screen, Tracker tracker)
{
    // As the user does: a choice in the list box.
    auto* list = screen.findChild<QComboBox*>(QStringLiteral("Combo1"));
    const int index = list ? list->findText(nameOf(tracker)) : -1;
    check(index >= 0, QStringLiteral("the tracker does not list %1").arg(nameOf(tracker)));
    if (index < 0)
        return;
    list->setCurrentIndex(index);
    emit list->activated(index);
    // Until the log has been drawn.
    QCoreApplication::processEvents();
}

void BenchCases::checkWholeLogShown(QWidget& screen)
{
    const auto* grid = screen.findChild<DataGrid*>(QStringLiteral("Grid4"));
    check(grid && grid->rowCount() >= BenchFolder::LogRows + 1
            && !grid->text(BenchFolder::LogRows, 1).isEmpty(),
        QStringLiteral("a tracker did not show the whole log"));
    if (grid)
        m_gridSize = grid->view()->size();
}

std::unique_ptr<QTableWidget> BenchCases::newBareTable(const QList<QStringList>& rows) const
{
    auto table = std::make_unique<QTableWidget>(0, int(rows.value(0).size()));
    table->resize(m_gridSize);
    table->show();
    QCoreApplication::processEvents();
    return table;
}

void BenchCases::fillBareTable(QTableWidget& table, const QList<QStringList>& rows)
{
    table.setRowCount(int(rows.size()));
    for (int row = 0; row < rows.size(); ++row) {
        const QStringList& texts = rows[row];
        for (int column = 0; column < texts.size(); ++column)
            table.setItem(row, column, new QTableWidgetItem(texts[column]));
    }
    QCoreApplication::processEvents();
}

QList<QStringList> BenchCases::shownLogRows(Tracker tracker) const
{
    QList<QStringList> rows;
    if (tracker == Tracker::BloodPressure) {
        const std::optional<BloodPressureFile> file
            = BloodPressureFile::LoadBloodPressureFile(m_folder, BenchFolder::BloodPressureName);
        if (file) {
            for (const Reading& reading : file->rows)
                rows.append({ reading.date, reading.time, reading.systolic, reading.diastolic,
                    reading.pulse });
        }
        return rows;
    }
    const std::optional<WeightFile> file
        = WeightFile::LoadWeightFile(m_folder, BenchFolder::WeightName);
    if (!file)
        return {};
    QList<ProgressStatistics::DerivedRow> derived;
    ProgressStatistics::RecomputeDerivedColumns(file->rows, file->beginningWeight, derived);
    for (qsizetype i = 0; i < file->rows.size(); ++i)
        rows.append({ file->rows[i].date, ProgressStatistics::displayText(file->rows[i].weight),
            ProgressStatistics::displayText(derived[i].change.text),
            ProgressStatistics::displayText(derived[i].difference.text) });
    return rows;
}

BenchReport::Line BenchCases::openTracker(Tracker tracker)
{
    const QList<QStringList> shown = shownLogRows(tracker);
    check(shown.size() == BenchFolder::LogRows, QStringLiteral("a log file cannot be read"));

    std::unique_ptr<TrackerScreen> screen;
    const double program = m_repetitions.medianMilliseconds(
        [&] { selectIndividual(*screen, tracker); }, [&] { screen = newTracker(tracker); },
        [&] {
            checkWholeLogShown(*screen);
            screen.reset();
            settle();
        });

    std::unique_ptr<QTableWidget> table;
    const double floor = m_repetitions.medianMilliseconds([&] { fillBareTable(*table, shown); },
        [&] { table = newBareTable(shown); },
        [&] {
            table.reset();
            settle();
        });
    return { tracker == Tracker::Weight ? QStringLiteral("open 10,000 weigh-ins, warm")
                                        : QStringLiteral("open 10,000 bp readings, warm"),
        program, floor, QStringLiteral("ms"),
        QStringLiteral("filling a bare QTableWidget with the same texts") };
}

BenchReport::Line BenchCases::firstOpen(Tracker tracker)
{
    const QString kind
        = tracker == Tracker::Weight ? QStringLiteral("weight") : QStringLiteral("bp");
    const double program = m_repetitions.median([&] { return childFigure(FirstOpenOption, kind); });
    const double floor = m_repetitions.median(
        [&] { return childFigure(FirstOpenOption, QStringLiteral("bare-") + kind); });
    return { tracker == Tracker::Weight ? QStringLiteral("open 10,000 weigh-ins, first")
                                        : QStringLiteral("open 10,000 bp readings, first"),
        program, floor, QStringLiteral("ms"),
        QStringLiteral("a bare QTableWidget's first fill, same texts") };
}

int BenchCases::firstOpenChild(const QString& kind)
{
    const Tracker tracker = kind.endsWith(u"bp") ? Tracker::BloodPressure : Tracker::Weight;
    const QList<QStringList> shown = shownLogRows(tracker);
    QElapsedTimer timer;
    if (kind.startsWith(u"bare-")) {
        std::unique_ptr<QTableWidget> table = newBareTable(shown);
        timer.start();
        fillBareTable(*table, shown);
    } else {
        // What the program does at start-up, before anyone can open a log.
        FirstOpenWarmUp::run();
        std::unique_ptr<TrackerScreen> screen = newTracker(tracker);
        timer.start();
        selectIndividual(*screen, tracker);
        checkWholeLogShown(*screen);
    }
    std::printf("%f\n", double(timer.nsecsElapsed()) / 1e6);
    return m_problems.isEmpty() ? 0 : 1;
}

// --- memory ------------------------------------------------------------------

BenchReport::Line BenchCases::peakMemory()
{
    const double program = m_repetitions.median(
        [this] { return childFigure(PeakMemoryOption, QStringLiteral("tracker")) / 1024; });
    const double floor = m_repetitions.median(
        [this] { return childFigure(PeakMemoryOption, QStringLiteral("table")) / 1024; });
    return { QStringLiteral("peak memory, 10,000-row log open"), program, floor,
        QStringLiteral("MiB"),
        QStringLiteral("the bare QTableWidget filled (rise over start-up)") };
}

double BenchCases::childFigure(const QString& option, const QString& kind)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), { option, kind, m_folder.path() });
    const bool finished = child.waitForFinished(-1);
    bool number = false;
    const double figure = child.readAllStandardOutput().trimmed().toDouble(&number);
    check(finished && child.exitCode() == 0 && number,
        QStringLiteral("the %1 %2 measurement failed").arg(kind, option));
    return figure;
}

int BenchCases::peakMemoryChild(const QString& kind)
{
    const QList<QStringList> shown = shownLogRows(Tracker::Weight);
    const qint64 before = PeakMemory::residentKiB();
    std::unique_ptr<TrackerScreen> screen;
    std::unique_ptr<QTableWidget> table;
    if (kind == u"tracker") {
        screen = newTracker(Tracker::Weight);
        selectIndividual(*screen, Tracker::Weight);
    } else if (kind == u"table") {
        table = newBareTable(shown);
        fillBareTable(*table, shown);
    } else {
        return 2;
    }
    std::printf("%lld\n", static_cast<long long>(PeakMemory::peakKiB() - before));
    return m_problems.isEmpty() ? 0 : 1;
}

// --- passwords ---------------------------------------------------------------

BenchReport::Line BenchCases::addPasswordEntry()
{
    PasswordFiles files(m_folder);
    const PasswordEntry entry { QStringLiteral("www.bench.example"), QStringLiteral("bench user"),
        QStringLiteral("bench secret"), QStringLiteral("added by the benchmark") };
    Outcome added;
    int addedRecord = 0;
    const double program = m_repetitions.medianMilliseconds(
        [&] { added = files.AddEntry(entry, PasswordFiles::SameName::Refused, &addedRecord); }, {},
        [&] {
            // The last free record, taken and given back each time.
            check(added.succeeded && addedRecord == PasswordFiles::MaximumRecords,
                QStringLiteral("adding a password entry failed: %1").arg(added.reason));
            if (added.succeeded)
                (void)files.DeleteEntry(IndexItem::build(entry.name, addedRecord).text());
        });
    const QString path = files.entriesFilePath();
    const double floor = m_repetitions.medianMilliseconds([&] {
        // Record 10,000 stays in the file, blank, once the first add is undone.
        check(
            fileBytes(path).size() >= qint64(PasswordRecord::Length) * BenchFolder::PasswordEntries,
            QStringLiteral("%1 does not hold %2 records")
                .arg(PasswordFiles::EntriesFileName)
                .arg(BenchFolder::PasswordEntries));
    });
    return { QStringLiteral("add a password entry, 9,999 in use"), program, floor,
        QStringLiteral("ms"),
        QStringLiteral("reading %1 once").arg(PasswordFiles::EntriesFileName) };
}

BenchReport::Line BenchCases::openPasswordKeeper()
{
    const PasswordFiles files(m_folder);
    const double program = m_repetitions.medianMilliseconds(
        [&] {
            PasswordKeeper keeper(ScreenServices {
                m_folder, m_messages, m_dialogs, m_clock, m_state, m_help, &BackupScreen::run });
            keeper.show();
            QCoreApplication::processEvents();
            auto* list = keeper.findChild<QComboBox*>(QStringLiteral("Combo1"));
            check(list && list->count() == BenchFolder::PasswordEntries,
                QStringLiteral("the Password Keeper does not list %1 entries")
                    .arg(BenchFolder::PasswordEntries));
        },
        {}, settle);
    QStringList names;
    for (const QString& item : files.LoadIndex())
        names.append(IndexItem(item).name());
    const double floor = m_repetitions.medianMilliseconds(
        [&] {
            const QByteArray entries
                = fileBytes(files.entriesFilePath()) + fileBytes(files.indexFilePath());
            QComboBox bare;
            bare.addItems(names);
            bare.show();
            QCoreApplication::processEvents();
            check(!entries.isEmpty() && bare.count() == BenchFolder::PasswordEntries,
                QStringLiteral("the bare list does not hold %1 names")
                    .arg(BenchFolder::PasswordEntries));
        },
        {}, settle);
    return { QStringLiteral("open the Password Keeper, 9,999 entries"), program, floor,
        QStringLiteral("ms"), QStringLiteral("reading both files, a bare combo box filled") };
}

// --- printing ----------------------------------------------------------------

QList<BenchReport::Line> BenchCases::printWeightReport(int reportRows)
{
    QString error;
    const std::optional<WeightFile> file
        = WeightFile::LoadWeightFile(m_folder, BenchFolder::WeightName, &error);
    check(file.has_value(), QStringLiteral("the weight file cannot be read: %1").arg(error));
    WeightReport::Values values = file ? WeightReport::valuesOf(*file) : WeightReport::Values();
    values.rows.resize(reportRows);
    values.printed = QDate(2013, 2, 20);
    // The weigh-in table alone, the part that grows with the log.
    WeightReport::Options options;
    options.printGraph = false;
    options.planInformation = false;
    const QPageLayout letter = PrintDocument::paperLayout(QPageSize(QPageSize::Letter));

    PrintDocument document;
    qint64 programBytes = 0;
    const double program = m_repetitions.medianMilliseconds([&] {
        document = WeightReport::build(values, options, letter, PrintFont());
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        check(PdfFile::write(document, pdf) && !pdf.data().isEmpty(),
            QStringLiteral("the weight report could not be written as a PDF"));
        programBytes = pdf.data().size();
    });
    // The same texts at the same places on bare pages, in one font, with no
    // layout and no document in between.
    qint64 floorBytes = 0;
    const double floor = m_repetitions.medianMilliseconds([&] {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&pdf);
            writer.setResolution(int(PrintDocument::TwipsPerInch));
            writer.setPageLayout(letter);
            QPainter painter(&writer);
            painter.setFont(PrintFont().twipsFont());
            for (int page = 0; page < document.pageCount(); ++page) {
                if (page > 0)
                    writer.newPage();
                for (const PrintItem& item : document.page(page)) {
                    if (const auto* text = std::get_if<PrintText>(&item))
                        painter.drawText(text->baseline, text->text);
                }
            }
        }
        floorBytes = pdf.data().size();
    });
    const QString rows = QLocale(QLocale::English).toString(reportRows);
    return {
        { QStringLiteral("%1-row weight report laid out as a PDF").arg(rows), program, floor,
            QStringLiteral("ms"),
            QStringLiteral("painting the same texts on bare QPdfWriter pages") },
        { QStringLiteral("%1-row weight report, PDF size").arg(rows), double(programBytes) / 1024,
            double(floorBytes) / 1024, QStringLiteral("KiB"),
            QStringLiteral("the bare QPdfWriter pages' size") },
    };
}

// --- the keeper's screen -----------------------------------------------------

BenchReport::Line BenchCases::saveKeeperEntry()
{
    PasswordFiles files(m_folder);
    const ScreenServices services { m_folder, m_messages, m_dialogs, m_clock, m_state, m_help,
        &BackupScreen::run };
    std::unique_ptr<PasswordKeeper> keeper;
    int saved = 0;
    const double program = m_repetitions.medianMilliseconds(
        [&] {
            // As the user does: a new name and password typed, then Save.
            auto* name = keeper->findChild<QLineEdit*>(QStringLiteral("Text1_0"));
            auto* password = keeper->findChild<QLineEdit*>(QStringLiteral("Text1_2"));
            auto* save = keeper->findChild<QPushButton*>(QStringLiteral("Command2"));
            check(name && password && save, QStringLiteral("the keeper's boxes are missing"));
            if (!name || !password || !save)
                return;
            // Typed, not set: the keeper marks an entry changed as keys come.
            name->insert(QStringLiteral("zz bench entry %1").arg(++saved));
            password->insert(QStringLiteral("bench secret"));
            save->click();
            QCoreApplication::processEvents();
        },
        [&] {
            keeper = std::make_unique<PasswordKeeper>(services);
            keeper->show();
            QCoreApplication::processEvents();
        },
        [&] {
            auto* list = keeper->findChild<QComboBox*>(QStringLiteral("Combo1"));
            check(list && list->count() == BenchFolder::PasswordEntries + 1,
                QStringLiteral("the keeper's list did not take the saved entry (%1 listed; "
                               "the last message: %2)")
                    .arg(list ? list->count() : -1)
                    .arg(m_messages.shown().value(m_messages.shown().size() - 1)));
            keeper.reset();
            settle();
            // The last free record, taken and given back each time.
            const QStringList items = files.LoadIndex();
            const qsizetype added
                = PasswordFiles::findByName(items, QStringLiteral("zz bench entry %1").arg(saved));
            check(added >= 0 && files.DeleteEntry(items.value(added)).succeeded,
                QStringLiteral("the saved entry could not be deleted again"));
        });
    const QByteArray index = fileBytes(files.indexFilePath());
    const QByteArray entries = fileBytes(files.entriesFilePath());
    QTemporaryDir scratch;
    const double floor = m_repetitions.medianMilliseconds([&] {
        for (const auto& [name, bytes] : { std::pair { QStringLiteral("index"), &index },
                 std::pair { QStringLiteral("entries"), &entries } }) {
            QSaveFile file(scratch.filePath(name));
            check(file.open(QIODevice::WriteOnly) && file.write(*bytes) == bytes->size()
                    && file.commit(),
                QStringLiteral("the floor's files could not be written"));
        }
    });
    return { QStringLiteral("save a new keeper entry, 9,999 in use"), program, floor,
        QStringLiteral("ms"), QStringLiteral("writing the two files once") };
}

// --- backup ----------------------------------------------------------------

BenchReport::Line BenchCases::backUpPeople()
{
    QTemporaryDir people;
    const QString written = BenchFolder::writeHousehold(
        ProgramFolder(people.path()), BackupPeople, 0, QStringLiteral("bench"));
    check(written.isEmpty(), QStringLiteral("the people could not be written: %1").arg(written));

    std::unique_ptr<QTemporaryDir> target;
    const auto newTarget = [&] { target = std::make_unique<QTemporaryDir>(); };
    const double program = m_repetitions.median([&] {
        newTarget();
        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        DataTool tool(out, err, false, people.path());
        const double before = CpuTime::ownMilliseconds();
        const int status
            = tool.run({ QStringLiteral("backup"), QStringLiteral("weight"), target->path() });
        const double spent = CpuTime::ownMilliseconds() - before;
        check(status == DataTool::Success,
            QStringLiteral("halvorn-data backup failed: %1").arg(QString::fromUtf8(err.data())));
        return spent;
    });
    const double floor = m_repetitions.median([&] {
        newTarget();
        const double before = CpuTime::childrenMilliseconds();
        const int status = QProcess::execute(QStringLiteral("cp"),
            { QStringLiteral("-a"), people.path() + QStringLiteral("/."), target->path() });
        check(status == 0, QStringLiteral("cp -a failed"));
        return CpuTime::childrenMilliseconds() - before;
    });
    return { QStringLiteral("backup weight, %1 people (CPU)").arg(BackupPeople), program, floor,
        QStringLiteral("ms"), QStringLiteral("cp -a of the same files") };
}

// --- the keeper's vault ------------------------------------------------------

BenchReport::Line BenchCases::unlockPasswordVault()
{
    QTemporaryDir copy;
    const ProgramFolder protectedFolder(copy.path());
    const PasswordFiles files(m_folder);
    for (const QString& path : { files.indexFilePath(), files.entriesFilePath() })
        QFile::copy(path, protectedFolder.filePath(QFileInfo(path).fileName()));
    const QByteArray master = QByteArrayLiteral("bench master password");
    const VaultParameters parameters = VaultParameters::standard();
    check(KeeperProtection(protectedFolder, parameters).protect(master).succeeded,
        QStringLiteral("the bench keeper could not be protected"));

    // Timed: the vault read, checked, its key stretched and its contents
    // decrypted. The count of what it holds is checked after each run.
    KeeperProtection::Unlocked unlocked;
    const double program = m_repetitions.medianMilliseconds(
        [&] { unlocked = KeeperProtection(protectedFolder, parameters).unlock(master); }, {},
        [&] {
            check(unlocked.storage
                    && PasswordFiles(protectedFolder, unlocked.storage).LoadIndex().size()
                        == BenchFolder::PasswordEntries,
                QStringLiteral("the vault did not unlock to %1 entries")
                    .arg(BenchFolder::PasswordEntries));
            unlocked = {};
        });
    const double floor = m_repetitions.medianMilliseconds([&] {
        unsigned char key[crypto_aead_xchacha20poly1305_ietf_KEYBYTES];
        const unsigned char salt[crypto_pwhash_SALTBYTES] = {};
        check(crypto_pwhash(key, sizeof key, master.constData(), quint64(master.size()), salt,
                  parameters.passes, std::size_t(parameters.memoryBytes),
                  crypto_pwhash_ALG_ARGON2ID13)
                == 0,
            QStringLiteral("the key could not be stretched"));
        sodium_memzero(key, sizeof key);
    });
    return { QStringLiteral("unlock a vault of 9,999 entries"), program, floor,
        QStringLiteral("ms"), QStringLiteral("Argon2id alone, the same figures") };
}
