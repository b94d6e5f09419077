#pragma once

#include "print/PrintFont.h"

#include <QDialog>

class QComboBox;
class QFontDialog;

// The print font dialog: face, style, size, underline and strike-through
// from Qt's font dialog, and the text colour, which Qt's dialog does not
// offer, from the sixteen colours a desktop font dialog lists.
class PrintFontDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PrintFontDialog(const PrintFont& initial, QWidget* parent = nullptr);

    PrintFont selectedFont() const;

private:
    QFontDialog* m_fonts;
    QComboBox* m_colours;
};
