#include "weight/ui/WeightReportPrinting.h"

#include "screens/PictureFile.h"
#include "screens/PrintOptionsPanel.h"
#include "weight/ui/WeightReportOptionsBox.h"

namespace {

// A picture for the report: upright, as the frame shows it, and decoded no
// larger than the largest picture box needs at a fine printer's resolution,
// so that two camera photos neither slow the panel nor fill the memory.
QImage printablePicture(const QString& path)
{
    constexpr int LongestSide = 1600;
    const PictureFile file(path);
    QSize size = file.naturalSize();
    if (size.width() > LongestSide || size.height() > LongestSide)
        size.scale(LongestSide, LongestSide, Qt::KeepAspectRatio);
    return file.read(size);
}

} // namespace

WeightReportPrinting::WeightReportPrinting(
    const ScreenServices& services, ScreenValues values, QWidget* parent)
    : QObject(parent)
    , m_values(std::move(values))
{
    m_options = new WeightReportOptionsBox;
    auto rebuild
        = [this](const QPageLayout& layout, const PrintFont& font) { return build(layout, font); };
    m_panel = new PrintOptionsPanel(
        services, PrintPanelProfile::weightTracker(), m_options, rebuild, parent);
    connect(m_options, &WeightReportOptionsBox::rebuildRequested, m_panel,
        &PrintOptionsPanel::rebuildPreview);
}

void WeightReportPrinting::open(const std::array<QString, 2>& shownPictures)
{
    for (int i = 0; i < 2; ++i)
        m_pictures[i] = shownPictures[i].isEmpty() ? QImage() : printablePicture(shownPictures[i]);
    m_options->prepareForOpening(!m_pictures[0].isNull(), !m_pictures[1].isNull());
    m_panel->open();
}

PrintDocument WeightReportPrinting::build(const QPageLayout& layout, const PrintFont& font) const
{
    WeightReport::Values values = m_values();
    values.beginningPicture = m_pictures[0];
    values.currentPicture = m_pictures[1];
    return WeightReport::build(values, m_options->options(), layout, font);
}
