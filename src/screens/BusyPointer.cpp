#include "BusyPointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

// Qt stacks override cursors; the program's own pointer is one switch, so
// it pushes at most one.
bool busyPointerPushed = false;

} // namespace

void BusyPointerOn()
{
    if (busyPointerPushed)
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    busyPointerPushed = true;
}

void BusyPointerOff()
{
    if (!busyPointerPushed)
        return;
    QGuiApplication::restoreOverrideCursor();
    busyPointerPushed = false;
}

bool BusyPointerIsOn()
{
    return busyPointerPushed;
}
