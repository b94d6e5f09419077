#include "trackers/ui/LogImportPreview.h"

#include "screens/BusyPointer.h"
#include "screens/NamedWidget.h"
#include "storage/StoredDate.h"
#include "trackers/ui/ColumnMappingPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

namespace {

using Format = LogSource::Format;

QString plural(int count, const QString& one, const QString& many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

QString summary(const LogImport::Preview& preview)
{
    const bool named = !preview.request.name.trimmed().isEmpty();
    // Without a name the rows read are shown all the same; a file that
    // gave none shows why.
    const bool nothingRead
        = preview.addedCount() == 0 && preview.duplicateCount() == 0 && preview.refused().isEmpty();
    if (!preview.error.isEmpty() && (named || nothingRead))
        return QStringLiteral("The file cannot be imported: %1.").arg(preview.error);
    const bool weight = preview.request.log == LogImport::Log::Weight;
    QStringList parts;
    parts.append(QStringLiteral("Format: %1.").arg(LogSource::title(preview.format)));
    if (named)
        parts.append(
            QStringLiteral("Person: %1%2.")
                .arg(preview.name, preview.newIndividual ? QStringLiteral(" (new)") : QString()));
    else
        parts.append(QStringLiteral("Choose a person or type a new name."));
    QString toAdd = plural(preview.addedCount(), QStringLiteral("row"), QStringLiteral("rows"))
        + QStringLiteral(" to add");
    if (preview.first().isValid())
        toAdd += QStringLiteral(", %1 to %2")
                     .arg(StoredDate::longText(preview.first()),
                         StoredDate::longText(preview.last()));
    parts.append(toAdd + u'.');
    QString skipped
        = QStringLiteral("%1 skipped as already in the log").arg(preview.duplicateCount());
    if (weight)
        skipped += QStringLiteral(", %1 as not the first weigh-in of its day")
                       .arg(preview.weight.sameDay);
    if (preview.repeatedCount() > 0)
        skipped += QStringLiteral(", %1 as twice in the file").arg(preview.repeatedCount());
    // Lines of another kind, neither taken nor refused, with what they are.
    for (const SkippedLines& lines : preview.skipped())
        skipped += QStringLiteral(", %1 %2").arg(lines.count).arg(lines.kind);
    parts.append(skipped + u'.');
    if (!weight && preview.readings.withoutPulse > 0)
        parts.append(QStringLiteral("%1 without a pulse.").arg(preview.readings.withoutPulse));
    parts.append(QStringLiteral("%1 refused.").arg(preview.refused().size()));
    if (!preview.refused().isEmpty())
        parts.append(preview.request.skipRefused
                ? QStringLiteral("The refused lines are left out.")
                : QStringLiteral("Nothing is imported while any line is refused: correct the "
                                 "file, or leave them out."));
    return parts.join(u' ');
}

} // namespace

LogImportPreview::LogImportPreview(ProgramFolder folder, LogImport::Log log, QString path,
    const QStringList& names, const QString& name, QWidget* parent, QDate today)
    : QDialog(parent)
    , m_folder(std::move(folder))
    , m_log(log)
    , m_path(std::move(path))
    , m_today(today)
{
    setObjectName(QStringLiteral("LogImportPreview"));
    setWindowTitle(QStringLiteral("Import"));
    const bool weight = log == LogImport::Log::Weight;

    m_format = named(new QComboBox(this), "ImportFormat");
    m_format->addItem(QStringLiteral("Recognised from the file"), -1);
    for (Format format :
        { Format::OpenScale, Format::Withings, Format::Garmin, Format::SamsungHealth,
            Format::AppleHealth, Format::ProgramCsv, Format::ProgramJson, Format::Mapped })
        m_format->addItem(LogSource::title(format), int(format));
    m_person = named(new QComboBox(this), "ImportPerson");
    m_person->setEditable(true);
    m_person->addItems(names);
    m_person->setCurrentText(name);
    m_person->lineEdit()->setMaxLength(25);
    // Made in the order they are laid out, which is the order Tab follows.
    m_mapping = new ColumnMappingPanel(weight, this);
    m_mapping->setVisible(false);
    m_everyWeighIn = named(
        new QCheckBox(QStringLiteral("&Keep every weigh-in of a day"), this), "ImportEveryWeighIn");
    m_everyWeighIn->setVisible(weight);

    m_rows = named(new QTreeWidget(this), "ImportRows");
    m_rows->setHeaderLabels(weight
            ? QStringList { QStringLiteral("Date"), QStringLiteral("Weight") }
            : QStringList { QStringLiteral("Date"), QStringLiteral("Time"),
                QStringLiteral("Systolic"), QStringLiteral("Diastolic"), QStringLiteral("Pulse") });
    m_rows->setRootIsDecorated(false);
    // Low enough that the dialog, column choices and refused lines shown,
    // fits a screen of 600 lines.
    m_rows->setMinimumSize(560, 140);
    m_refused = named(new QTreeWidget(this), "ImportRefused");
    m_refused->setHeaderLabels({ QStringLiteral("Line"), QStringLiteral("Refused because") });
    m_refused->setRootIsDecorated(false);
    m_refused->setMaximumHeight(120);
    m_skipRefused = named(
        new QCheckBox(QStringLiteral("&Leave out the refused lines"), this), "ImportSkipRefused");
    m_summary = named(new QLabel(this), "ImportSummary");
    m_summary->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    m_import = buttons->addButton(QStringLiteral("&Import"), QDialogButtonBox::AcceptRole);
    m_import->setObjectName(QStringLiteral("ImportAccept"));
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("ImportCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("File:"), new QLabel(QFileInfo(m_path).fileName(), this));
    auto* formatLabel = new QLabel(QStringLiteral("&Format:"), this);
    formatLabel->setBuddy(m_format);
    form->addRow(formatLabel, m_format);
    auto* personLabel = new QLabel(QStringLiteral("&Person:"), this);
    personLabel->setBuddy(m_person);
    form->addRow(personLabel, m_person);
    auto* layout = new QVBoxLayout(this);
    // The dialog grows with a summary that takes more lines.
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    layout->addLayout(form);
    layout->addWidget(m_mapping);
    layout->addWidget(m_everyWeighIn);
    layout->addWidget(m_summary);
    layout->addWidget(m_rows);
    layout->addWidget(m_refused);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_skipRefused);
    bottom->addWidget(buttons, 1);
    layout->addLayout(bottom);

    // The file is read again only when the way it is read changes; another
    // person or the weigh-ins of a day are planned from what was read. A name
    // is planned for when it is finished, not at every key.
    connect(m_format, &QComboBox::currentIndexChanged, this, &LogImportPreview::readAgain);
    connect(m_mapping, &ColumnMappingPanel::changed, this, [this] {
        m_mappingChosen = true;
        readAgain();
    });
    connect(m_everyWeighIn, &QCheckBox::toggled, this, &LogImportPreview::planAgain);
    connect(m_skipRefused, &QCheckBox::toggled, this, &LogImportPreview::planAgain);
    connect(m_person, &QComboBox::activated, this, &LogImportPreview::planAgain);
    connect(m_person->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        if (m_person->currentText().trimmed() != m_readName)
            planAgain();
    });
    // Enter in the name box plans for that person and stops there: the user
    // sees what the import would do to that log before choosing Import.
    // Keys reach the box, which hands them to its line edit.
    m_person->installEventFilter(this);
    readAgain();
    if (m_readName.isEmpty())
        m_person->setFocus();
    else
        m_rows->setFocus();
}

bool LogImportPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_person && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (m_person->currentText().trimmed() != m_readName)
                planAgain();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void LogImportPreview::readAgain()
{
    m_source.reset();
    planAgain();
}

void LogImportPreview::planAgain()
{
    LogImport::Request request;
    request.log = m_log;
    request.name = m_person->currentText().trimmed();
    request.path = m_path;
    request.today = m_today;
    if (const int format = m_format->currentData().toInt(); format >= 0)
        request.format = Format(format);
    request.everyWeighIn = m_everyWeighIn->isChecked();
    request.skipRefused = m_skipRefused->isChecked();
    if (m_mappingChosen)
        request.mapping = m_mapping->mapping();
    m_readName = request.name;
    {
        // A phone's export of a gigabyte takes a while to read.
        BusyPointerScope busy;
        if (!m_source)
            m_source = LogImport::read(request);
        m_preview = LogImport::preview(m_folder, request, *m_source);
    }
    showPreview();
}

void LogImportPreview::showPreview()
{
    const bool mapped = m_preview.format == Format::Mapped;
    if (mapped)
        m_mapping->showChoices(m_preview.headings, m_preview.mapping);
    m_mapping->setVisible(mapped);
    // The program's own log is taken whole, every weigh-in of a day.
    m_everyWeighIn->setVisible(m_log == LogImport::Log::Weight
        && m_preview.format != Format::ProgramCsv && m_preview.format != Format::ProgramJson);
    m_rows->clear();
    if (m_log == LogImport::Log::Weight) {
        for (const WeighIn& row : std::as_const(m_preview.weight.added))
            new QTreeWidgetItem(m_rows, { row.date, row.weight });
    } else {
        for (const Reading& row : std::as_const(m_preview.readings.added))
            new QTreeWidgetItem(
                m_rows, { row.date, row.time, row.systolic, row.diastolic, row.pulse });
    }
    m_refused->clear();
    for (const RefusedLine& refused : m_preview.refused())
        new QTreeWidgetItem(m_refused, { QString::number(refused.line), refused.reason });
    m_refused->setVisible(!m_preview.refused().isEmpty());
    m_skipRefused->setVisible(!m_preview.refused().isEmpty());
    m_rows->header()->resizeSections(QHeaderView::ResizeToContents);
    m_refused->header()->resizeSections(QHeaderView::ResizeToContents);
    m_summary->setText(summary(m_preview));
    m_import->setEnabled(m_preview.canApply());
}
