// The trackers' import of another program's export, through its preview.

#include "trackers/ui/TrackerScreen.h"

#include "screens/BusyPointer.h"
#include "screens/ShowFailure.h"
#include "screens/SystemDialogs.h"
#include "services/Clock.h"
#include "trackers/ui/LogImportPreview.h"

#include <QComboBox>
#include <QDir>

namespace {

const QString ImportTitle = QStringLiteral("Import");

} // namespace

// Unsaved changes are asked about first: the person's file is written by
// the import and then shown again from the file.
void TrackerScreen::importLog()
{
    hideViews();
    if (m_changesMade == Changed && !displayedName().isEmpty()
        && promptSaveChanges() == MessageService::Answer::Cancel)
        return;
    const std::optional<QString> path = m_services.dialogs.chooseOpenFile(ImportTitle,
        QDir::homePath(), QStringLiteral("Exports (*.csv *.json *.xml *.zip);;All files (*)"));
    if (!path)
        return;
    const LogImport::Log log = m_profile.backupKind == BackupKind::WeightBackup
        ? LogImport::Log::Weight
        : LogImport::Log::BloodPressure;
    const QString shown = inCreateMode() ? QString() : displayedName();
    LogImportPreview preview(m_services.folder, log, *path, m_individuals.names(), shown, this,
        m_services.clock.today());
    if (preview.exec() != QDialog::Accepted)
        return;

    Outcome outcome;
    {
        BusyPointerScope busy;
        outcome = LogImport::apply(m_services.folder, preview.preview());
    }
    if (!outcome) {
        showFailure(messages(), outcome, ImportTitle);
        return;
    }
    m_changesMade = 0;
    if (const Outcome loaded = m_individuals.load(m_services.folder); !loaded) {
        showFailure(messages(), loaded, ImportTitle);
        return;
    }
    if (inCreateMode())
        enterViewMode();
    fillIndividualBox();
    m_individualBox->setEnabled(true);
    const qsizetype index = m_individuals.indexOf(preview.preview().name);
    m_individualBox->setCurrentIndex(int(index));
    selectIndividual(int(index));
    const int added = preview.preview().addedCount();
    messages().inform(QStringLiteral("%1 imported into the log of %2.")
                          .arg(added == 1 ? QStringLiteral("1 row was")
                                          : QStringLiteral("%1 rows were").arg(added),
                              preview.preview().name),
        ImportTitle);
}
