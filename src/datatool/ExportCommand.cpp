#include "ExportCommand.h"

#include "BloodPressureExport.h"
#include "PasswordExport.h"
#include "PasswordSnapshot.h"
#include "WeightExport.h"
#include "bloodpressure/BloodPressureFile.h"
#include "storage/FileWriting.h"
#include "storage/WeightPersonSettings.h"
#include "weight/WeightFile.h"

#include <QJsonDocument>

#include <utility>

ExportCommand::ExportCommand(DataToolOutput& output, bool outputIsTerminal)
    : DataToolCommand(output)
    , m_outputIsTerminal(outputIsTerminal)
{ }

int ExportCommand::run(const DataToolOptions& options)
{
    const Kind kind = options.kindAt(1);
    const qsizetype expected = kind == Kind::Passwords ? 2 : 3;
    if (kind == Kind::Unknown || options.positional.size() != expected)
        return usageError(QStringLiteral("export takes weight NAME, bp NAME or passwords"));
    // Before a master password is asked for.
    if (!options.output.isEmpty() && options.writesIntoProgramFolder())
        return usageError(
            QStringLiteral("%1 lies inside the program folder: write it to another folder")
                .arg(options.output));
    const ProgramFolder folder(options.folder);
    const bool json = options.format == u"json";
    QString error;

    if (kind == Kind::Passwords) {
        if (options.output.isEmpty() && m_outputIsTerminal && !options.show)
            return usageError(QStringLiteral(
                "refusing to print passwords to a terminal; give --show or -o FILE"));
        int exitCode = Success;
        const std::shared_ptr<PasswordStorage> storage = passwordStorage(folder, exitCode);
        if (!storage)
            return exitCode;
        PasswordSnapshot snapshot;
        if (const Outcome loaded = snapshot.load(folder, storage); !loaded)
            return problem(loaded.reason);
        const PasswordExport document(snapshot);
        return deliver(
            options, json ? QJsonDocument(document.json()).toJson() : document.csv(), true);
    }

    int exitCode = Success;
    const std::optional<QString> listed
        = listedName(options, kind == Kind::Weight, options.positional.at(2), exitCode);
    if (!listed)
        return exitCode;

    QByteArray bytes;
    if (kind == Kind::Weight) {
        std::optional<WeightFile> file = WeightFile::LoadWeightFile(folder, *listed, &error);
        if (!file)
            return problem(error);
        const std::optional<WeightPersonSettings::Unit> chosen
            = WeightPersonSettings(folder).read(*listed).unit;
        const QString unit = chosen ? WeightPersonSettings::unitName(*chosen) : QString();
        const WeightExport document(std::move(*file), unit);
        bytes = json ? QJsonDocument(document.json()).toJson() : document.csv();
    } else {
        std::optional<BloodPressureFile> file
            = BloodPressureFile::LoadBloodPressureFile(folder, *listed, &error);
        if (!file)
            return problem(error);
        const BloodPressureExport document(
            std::move(*file), BloodPressureGuideline::stored(folder));
        bytes = json ? QJsonDocument(document.json()).toJson() : document.csv();
    }
    return deliver(options, bytes, false);
}

int ExportCommand::deliver(const DataToolOptions& options, const QByteArray& bytes, bool secret)
{
    if (options.output.isEmpty()) {
        if (const Outcome outcome
            = FileWriting::writeAll(m_out, DataToolOutput::StandardOutput, bytes);
            !outcome.succeeded)
            return problem(QStringLiteral("%1: %2").arg(outcome.fileName, outcome.reason));
        return Success;
    }
    const Outcome outcome = FileWriting::replaceFile(options.output, bytes,
        secret ? std::optional(QFileDevice::ReadOwner | QFileDevice::WriteOwner) : std::nullopt);
    if (!outcome.succeeded)
        return problem(
            QStringLiteral("%1 could not be written: %2").arg(options.output, outcome.reason));
    return Success;
}
