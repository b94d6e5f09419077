#pragma once

#include <QFrame>

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;

// The Weight Tracker's plan panel ("Exercise Plan and Information"): the
// exercise plan's boxes with the physician warning, Save New File in create
// mode, the additional comments with their stored length, and the progress
// pictures, which the screen adds.
class WeightPlanPanel : public QFrame
{
    Q_OBJECT

public:
    // planBoxes: days per week, time per period and types of exercise;
    // planLabels their captions. The panel takes them over from the header.
    WeightPlanPanel(const std::array<QLineEdit*, 3>& planBoxes,
        const std::array<QLabel*, 3>& planLabels, QWidget* parent);

    void addPictures(QWidget* pictures);

    QPushButton* saveNewButton() const { return m_saveNewButton; }
    QPlainTextEdit* comments() const { return m_comments; }
    // Shown as stored: the typing rules and the limit are not applied.
    void showStoredComments(const QString& comments);

signals:
    // The user changed the comments; the rules and the limit are applied.
    void commentsEdited();

private:
    void commentsChanged();
    void showCommentLength();

    QPushButton* m_saveNewButton; // Command11
    QPlainTextEdit* m_comments; // Text3
    QLabel* m_commentLength; // Label15
    QVBoxLayout* m_layout;
};
