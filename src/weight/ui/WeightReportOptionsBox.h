#pragma once

#include "weight/WeightReport.h"

#include <QGroupBox>

#include <array>

class QCheckBox;

// The weight report's options on the print options panel (SSFrame80(2)).
// They keep their state while the screen is open, except the two picture
// options, which are cleared each time the panel opens and can be ticked
// only while their picture is shown.
class WeightReportOptionsBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit WeightReportOptionsBox(QWidget* parent = nullptr);

    WeightReport::Options options() const;

    // Clears both picture options and makes each available, or disabled
    // with its caption struck through, as its picture is shown or not.
    void prepareForOpening(bool beginningPictureShown, bool currentPictureShown);

signals:
    // An option was clicked in a way that changes the report: a picture
    // option counts only while the plan information is printed.
    void rebuildRequested();

private:
    void pictureOptionAvailable(QCheckBox* option, bool available);

    QCheckBox* m_graph; // SSCheck3
    QCheckBox* m_plan; // SSCheck80(0)
    QCheckBox* m_data; // SSCheck80(1)
    std::array<QCheckBox*, 2> m_pictures {}; // SSCheck2(0), SSCheck2(1)
    QCheckBox* m_borderLines; // SSCheck1
    QCheckBox* m_dividerLines; // SSCheck4
};
