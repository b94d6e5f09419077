#pragma once

#include <QDialog>
#include <QPageLayout>

class QComboBox;
class QRadioButton;

// Page setup where the platform has none: without a real printer the
// platform dialog will not open. It asks for the paper size and the
// orientation; the margins stay 0.
class PageSetupDialog : public QDialog
{
    Q_OBJECT

public:
    explicit PageSetupDialog(const QPageLayout& initial, QWidget* parent = nullptr);

    QPageLayout selectedLayout() const;

private:
    QComboBox* m_paper;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
};
