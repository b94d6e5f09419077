#pragma once

#include <QString>

class QLabel;
class QWidget;

// What a screen reader announces a control by. A box, list or grid takes
// the caption of the label in front of it (the label's buddy, which is also
// the relation screen readers follow); a control without a label takes a
// short name of our own; a picture says what it shows.
namespace AccessibleNames {

// The label's caption as a name: no access-key ampersand, no trailing colon.
QString fromCaption(const QString& caption);

// label names field: the label's buddy, and the field's name from the
// caption as it stands now (also where the two have different parents,
// which hides the buddy from the screen reader).
void labelField(QLabel* label, QWidget* field);

} // namespace AccessibleNames
