#pragma once

#include "datatool/LogImport.h"

#include <QDate>
#include <QDialog>
#include <QStringList>

#include <optional>

class ColumnMappingPanel;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// The preview before another program's export goes into a log: the format
// recognised, the person (listed or new), the rows to add, the rows skipped
// as already logged or as later weigh-ins of a day, the refused lines with
// their reasons, and the first and last date. A file that is no known
// export is read as a plain CSV through the columns chosen in the mapping
// panel, guessed from its headings at first. Import is offered only when
// there is something to add and nothing is refused, or the refused lines are
// to be left out. The file is read again only when a choice changes what it
// gives.
class LogImportPreview : public QDialog
{
    Q_OBJECT

public:
    // today is the program clock's date, which no imported date may be
    // more than a year after.
    LogImportPreview(ProgramFolder folder, LogImport::Log log, QString path,
        const QStringList& names, const QString& name, QWidget* parent, QDate today = {});

    const LogImport::Preview& preview() const { return m_preview; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readAgain();
    void planAgain();
    void showPreview();

    ProgramFolder m_folder;
    LogImport::Log m_log;
    QString m_path;
    QDate m_today;
    QString m_readName;
    std::optional<LogImport::Source> m_source;
    LogImport::Preview m_preview;
    QComboBox* m_format;
    QComboBox* m_person;
    QCheckBox* m_everyWeighIn;
    QCheckBox* m_skipRefused;
    ColumnMappingPanel* m_mapping;
    // Until the user chooses a column, the reader guesses them.
    bool m_mappingChosen = false;
    QTreeWidget* m_rows;
    QTreeWidget* m_refused;
    QLabel* m_summary;
    QPushButton* m_import;
};
