#pragma once

#include <QObject>
#include <QString>

#include <chrono>

class Clock;
class QLineEdit;
class QPoint;

// Copies secrets to the clipboard: marked so that clipboard managers which
// honour the mark keep no history of them, and taken off the clipboard again
// after a while if nothing else has been copied meanwhile.
class SecretClipboard : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::seconds ClearAfter { 30 };

    SecretClipboard(Clock& clock, QObject* parent = nullptr);

    void copy(const QString& secret);

    // Copy and Cut of the box, by key and by its context menu, go through
    // copy(), and what is selected in it never stays in the X primary
    // selection; everything else in the box works as usual.
    void guard(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void copySelection(QLineEdit* box, bool cut);
    void showContextMenu(QLineEdit* box, const QPoint& position);
    static void keepOutOfSelection(QLineEdit* box);

    Clock& m_clock;
};
