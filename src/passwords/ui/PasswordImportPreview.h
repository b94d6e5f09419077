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
// which are skipped or refused and why, how many of the export's recycle bin
// are left out, and the user's choices: cut fields longer than the keeper
// takes (an entry whose extra lines do not fit its comment names them),
// take the recycle bin's entries too, leave the refused entries out. Import
// is offered only when nothing is refused, or the refused entries are left
// out.
class PasswordImportPreview : public QDialog
{
    Q_OBJECT

public:
    // textForm is the keeper's, which decides the text it can hold.
    PasswordImportPreview(QByteArray bytes, QList<PasswordEntry> listed, const QString& fileName,
        KeeperText::Form textForm, QWidget* parent);

    // The plan for the format and choices shown.
    const PasswordImport::Plan& plan() const { return m_plan; }

private:
    void replan();

    QByteArray m_bytes;
    QList<PasswordEntry> m_listed;
    KeeperText::Form m_form;
    PasswordImport::Plan m_plan;
    QComboBox* m_format;
    QCheckBox* m_cut;
    QCheckBox* m_includeDeleted;
    QCheckBox* m_skipRefused;
    QTreeWidget* m_list;
    QLabel* m_summary;
    QPushButton* m_import;
};
