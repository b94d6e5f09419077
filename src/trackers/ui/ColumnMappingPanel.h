#pragma once

#include "logimport/ColumnMapping.h"

#include <QMap>
#include <QStringList>
#include <QWidget>

class QComboBox;

// The import preview's choices for a plain CSV: a list of the file's
// headings for each field the log takes, the date order and, for weights,
// the unit. changed() follows every choice the user makes.
class ColumnMappingPanel : public QWidget
{
    Q_OBJECT

public:
    ColumnMappingPanel(bool weights, QWidget* parent);

    // Lists the headings and shows the mapping; emits nothing.
    void showChoices(const QStringList& headings, const ColumnMapping& mapping);
    ColumnMapping mapping() const;

signals:
    void changed();

private:
    QComboBox* addChoice(const char* objectName, const QString& label);

    QMap<ColumnMapping::Field, QComboBox*> m_columns;
    QComboBox* m_dateOrder;
    QComboBox* m_unit = nullptr;
    QStringList m_headings;
};
