#pragma once

#include "print/PrintDocument.h"
#include "screens/ScreenServices.h"
#include "weight/WeightReport.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <array>
#include <functional>

class PrintOptionsPanel;
class QPageLayout;
class QWidget;
class WeightReportOptionsBox;
struct PrintFont;

// The weight report on the print options panel: the panel with the
// report's own options, and the progress pictures the report prints, read
// once when the panel opens and reused by every rebuild while it is open.
class WeightReportPrinting : public QObject
{
    Q_OBJECT

public:
    // The report's values from the screen, all but the pictures.
    using ScreenValues = std::function<WeightReport::Values()>;

    WeightReportPrinting(const ScreenServices& services, ScreenValues values, QWidget* parent);

    PrintOptionsPanel* panel() const { return m_panel; }

    // The stored paths of the pictures the frame shows, empty for one it
    // does not show: the report offers no option for that one.
    void open(const std::array<QString, 2>& shownPictures);

private:
    PrintDocument build(const QPageLayout& layout, const PrintFont& font) const;

    ScreenValues m_values;
    WeightReportOptionsBox* m_options; // SSFrame80(2)
    PrintOptionsPanel* m_panel; // SSPanel80
    std::array<QImage, 2> m_pictures;
};
