#include "AccessibleNames.h"

#include <QLabel>

namespace AccessibleNames {

QString fromCaption(const QString& caption)
{
    QString name;
    name.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        // "&&" stands for one ampersand; a lone one marks the access key.
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                name += caption[++i];
            continue;
        }
        name += caption[i];
    }
    name = name.simplified();
    while (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

void labelField(QLabel* label, QWidget* field)
{
    label->setBuddy(field);
    field->setAccessibleName(fromCaption(label->text()));
}

} // namespace AccessibleNames
