#include "GuardedComboBox.h"

GuardedComboBox::GuardedComboBox(QWidget* parent)
    : QComboBox(parent)
{ }

void GuardedComboBox::showPopup()
{
    if (m_guard && !m_guard())
        return;
    QComboBox::showPopup();
}
