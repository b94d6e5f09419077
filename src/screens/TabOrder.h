#pragma once

class QPlainTextEdit;
class QWidget;

// How the keyboard moves through a screen: Tab follows the screen's layout,
// top to bottom and left to right, whatever order the controls were made
// in; and Tab leaves a multi-line box instead of typing into it.
namespace TabOrder {

// Orders the controls that root's layouts hold, depth first in the order
// of each layout (a grid by row, then column). A control that takes the
// focus itself is one stop; its insides keep their own order. Panels that
// share one place keep the order they were added in, and Tab skips those
// hidden. Controls outside any layout keep their place.
void followLayout(QWidget* root);

// Tab and Shift+Tab move on from the box; Ctrl+Tab types a tab where one is
// wanted.
void moveFocusOnTab(QPlainTextEdit* box);

} // namespace TabOrder
