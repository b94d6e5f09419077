#pragma once

#include "passwords/PasswordHealth.h"

#include <QDialog>

class QTreeWidget;

// Password Health: the entries whose password is weak or shared with
// another entry, or whose web address is not https, each with its reasons.
// Moving to a line chooses its entry in the keeper behind.
class PasswordHealthView : public QDialog
{
    Q_OBJECT

public:
    PasswordHealthView(const PasswordHealth::Report& report, qsizetype listed, QWidget* parent);

signals:
    void entryChosen(const QString& indexItem);

private:
    QTreeWidget* m_list;
};
