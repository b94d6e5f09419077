#pragma once

#include <QObject>
#include <QStringList>

class GuardedComboBox;
class QLabel;
class QStandardItem;
class QStandardItemModel;
class QWidget;

// The list of entries (Combo1): it shows the names of the index items and
// keeps each item behind its name. A reload replaces only the rows that
// changed, so that a save or a delete among thousands stays quick.
class PasswordList : public QObject
{
    Q_OBJECT

public:
    PasswordList(QWidget* panel, QObject* parent);

    GuardedComboBox* box() const { return m_box; }
    // The index items behind the names, in the list's order.
    const QStringList& items() const { return m_items; }

    // Shows the items with none chosen.
    void showItems(const QStringList& items);
    // An item the index gained, put where the index puts it (after its
    // equals), or one it lost; none is chosen afterwards.
    void addItem(const QString& item);
    void removeItem(const QString& item);
    // The box is as wide as a fixed number of capital Ns, whatever the
    // names: the name part of an item shows, however long the name.
    void fitWidth();

private:
    void fitDropDownToNames();
    void fitDropDownTo(int row);
    static QStandardItem* newRow(const QString& item);
    QStandardItemModel& model() const;

    GuardedComboBox* m_box; // Combo1
    QLabel* m_measure; // Label4
    QStringList m_items;
    // The widest name's width and the drop-down width it asked for, so that
    // one more name is measured alone.
    int m_widestName = -1;
};
