#pragma once

#include "passwords/PasswordImport.h"

#include <QByteArray>
#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;

// The preview before an import: what each entry of the file will become,
// which are skipped or refused and why, and the choice to cut fields longer
// than the keeper takes. Import is offered only when nothing is refused.
class PasswordImportPreview : public QDialog
{
    Q_OBJECT

public:
    PasswordImportPreview(
        QByteArray bytes, QStringList listedItems, const QString& fileName, QWidget* parent);

    // The plan for the format and cut choice shown.
    const PasswordImport::Plan& plan() const { return m_plan; }

private:
    void replan();

    QByteArray m_bytes;
    QStringList m_listedItems;
    PasswordImport::Plan m_plan;
    QComboBox* m_format;
    QCheckBox* m_cut;
    QTreeWidget* m_list;
    QLabel* m_summary;
    QPushButton* m_import;
};
