#pragma once

#include "storage/BackgroundSetting.h"
#include "storage/ProgramFolder.h"

class QLabel;
class QWidget;

// Shows the program-wide background on a window: a picture in the window's
// full-size image label, or the window's colour with the image hidden.
// Every function screen shows it the same way as the main screen.
namespace ScreenBackgroundView {

void show(const BackgroundSetting& background, const ProgramFolder& folder, QWidget& window,
    QLabel& image);

// Sizes the image to the window and scales its picture to fill it.
void fitImage(QWidget& window, QLabel& image);

} // namespace ScreenBackgroundView
