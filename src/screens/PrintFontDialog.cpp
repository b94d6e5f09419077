#include "PrintFontDialog.h"

#include "screens/NamedWidget.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

struct NamedColour {
    const char* name;
    QColor colour;
};

const NamedColour Colours[] {
    { "Black", QColor(0, 0, 0) },
    { "Maroon", QColor(128, 0, 0) },
    { "Green", QColor(0, 128, 0) },
    { "Olive", QColor(128, 128, 0) },
    { "Navy", QColor(0, 0, 128) },
    { "Purple", QColor(128, 0, 128) },
    { "Teal", QColor(0, 128, 128) },
    { "Gray", QColor(128, 128, 128) },
    { "Silver", QColor(192, 192, 192) },
    { "Red", QColor(255, 0, 0) },
    { "Lime", QColor(0, 255, 0) },
    { "Yellow", QColor(255, 255, 0) },
    { "Blue", QColor(0, 0, 255) },
    { "Fuchsia", QColor(255, 0, 255) },
    { "Aqua", QColor(0, 255, 255) },
    { "White", QColor(255, 255, 255) },
};

QPixmap swatch(const QColor& colour)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(colour);
    return pixmap;
}

} // namespace

PrintFontDialog::PrintFontDialog(const PrintFont& initial, QWidget* parent)
    : QDialog(parent)
{
    QFont font(initial.family);
    font.setPointSizeF(initial.points);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    font.setUnderline(initial.underline);
    font.setStrikeOut(initial.strikeOut);
    // Embedded: its own buttons give way to this dialog's.
    m_fonts = named(new QFontDialog(font, this), "FontDialog");
    m_fonts->setWindowFlags(Qt::Widget);
    m_fonts->setOptions(QFontDialog::NoButtons | QFontDialog::ScalableFonts);

    m_colours = named(new QComboBox(this), "FontColour");
    for (const NamedColour& entry : Colours)
        m_colours->addItem(swatch(entry.colour), QString::fromLatin1(entry.name), entry.colour);
    int index = m_colours->findData(initial.colour);
    if (index < 0) {
        // A colour stored by another program stays selectable.
        m_colours->addItem(swatch(initial.colour), QStringLiteral("Custom"), initial.colour);
        index = m_colours->count() - 1;
    }
    m_colours->setCurrentIndex(index);

    auto* colourLabel = new QLabel(QStringLiteral("&Color:"), this);
    colourLabel->setBuddy(m_colours);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colourLabel);
    colourRow->addWidget(m_colours);
    colourRow->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_fonts);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
}

PrintFont PrintFontDialog::selectedFont() const
{
    const QFont font = m_fonts->currentFont();
    PrintFont chosen;
    chosen.family = font.family();
    chosen.points = font.pointSizeF();
    chosen.bold = font.bold();
    chosen.italic = font.italic();
    chosen.underline = font.underline();
    chosen.strikeOut = font.strikeOut();
    chosen.colour = m_colours->currentData().value<QColor>();
    return chosen;
}
