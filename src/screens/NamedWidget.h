#pragma once

#include <QString>

// Every control carries the name the screen's behaviour gives it ("Command7",
// "Text1_3" for the fourth box of an array), so that tests and readers can
// find it with findChild.
template <typename Widget> Widget* named(Widget* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    return named(widget, QString::fromLatin1(name));
}

// The name of element index of a control array: "Text1" and 3 give "Text1_3".
inline QString arrayElementName(const char* arrayName, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(arrayName)).arg(index);
}
