#pragma once

#include <QByteArray>
#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;

// What a protected keeper shows while locked, in place of its panel: the
// masked master password box and Unlock. Nothing of the entries is on it.
class UnlockPanel : public QFrame
{
    Q_OBJECT

public:
    explicit UnlockPanel(QWidget* parent = nullptr);

    QLineEdit* passwordBox() const { return m_passwordBox; }
    QPushButton* unlockButton() const { return m_unlockButton; }

    // Empties the box and shows why the last try failed (or nothing).
    void showProblem(const QString& text);
    // While a wrong try's wait runs, Unlock cannot be pressed.
    void setWaiting(bool waiting);
    void focusPassword();

signals:
    // The password typed; the box is emptied at once.
    void unlockRequested(const QByteArray& password);

private:
    void requestUnlock();

    QLineEdit* m_passwordBox;
    QPushButton* m_unlockButton;
    QLabel* m_problem;
};
