#include "TrackerScreenDriver.h"

#include "screens/DataGrid.h"
#include "screens/MonthCalendar.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

const QDate TrackerScreenDriver::Today(2026, 12, 9);

TrackerScreenDriver::TrackerScreenDriver(TrackerKind kind)
    : m_kind(std::move(kind))
{ }

void TrackerScreenDriver::open()
{
    screen = m_kind.create(services);
    screen->show();
    QCoreApplication::processEvents();
}

void TrackerScreenDriver::storeIndividual(const QString& name, const QList<QStringList>& rows)
{
    m_kind.storeIndividual(folder.folder(), name, rows);
}

void TrackerScreenDriver::select(const QString& name)
{
    auto* list = find<QComboBox>(QStringLiteral("Combo1"));
    const int index = list->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    list->setCurrentIndex(index);
    emit list->activated(index);
}

QPushButton* TrackerScreenDriver::button(const char* name) const
{
    return find<QPushButton>(QLatin1String(name));
}

QAction* TrackerScreenDriver::action(const char* name) const
{
    return find<QAction>(QLatin1String(name));
}

DataGrid* TrackerScreenDriver::grid() const
{
    return find<DataGrid>(QStringLiteral("Grid4"));
}

void TrackerScreenDriver::clickCell(int row, int column)
{
    QTableWidget* view = grid()->view();
    const QModelIndex cell = view->model()->index(row - 1, column - 1);
    view->scrollTo(cell);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell).center());
}

void TrackerScreenDriver::pickLogDate(const QDate& date)
{
    auto* calendar = find<MonthCalendar>(QStringLiteral("MonthView2"));
    ASSERT_TRUE(calendar->isVisible());
    calendar->setSelectedDate(date);
    emit calendar->clicked(date);
}

void TrackerScreenDriver::typeIntoCell(int row, int column, const QString& keys)
{
    clickCell(row, column);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(grid()->isAncestorOf(editor) && editor != grid()->view()) << "no cell editor";
    QTest::keyClicks(editor, keys);
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor commits its text from a queued call.
    QCoreApplication::processEvents();
}

QString TrackerScreenDriver::dataFileName(const QString& name) const
{
    return name + m_kind.dataFileExtension;
}

QByteArray TrackerScreenDriver::storedBytes(const QString& name) const
{
    return folder.read(dataFileName(name));
}
