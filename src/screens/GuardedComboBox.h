#pragma once

#include <QComboBox>

#include <functional>

// A drop-down list that asks before it opens, so that a screen can first deal
// with unsaved changes and keep the list closed when the user cancels.
class GuardedComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit GuardedComboBox(QWidget* parent = nullptr);

    // Runs whenever the list is about to drop down (click, Alt+Down, F4);
    // false keeps it closed.
    void setOpeningGuard(std::function<bool()> guard) { m_guard = std::move(guard); }

    void showPopup() override;

private:
    std::function<bool()> m_guard;
};
