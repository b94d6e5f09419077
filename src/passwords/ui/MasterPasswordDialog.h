#pragma once

#include <QByteArray>
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for master passwords, masked: the current one, a new one typed twice,
// or both (changing it). OK stays off until what is asked for is filled in
// and the new one matches its repetition.
class MasterPasswordDialog : public QDialog
{
    Q_OBJECT

public:
    enum class Asks { Current, New, CurrentAndNew };

    MasterPasswordDialog(Asks asks, const QString& title, QWidget* parent = nullptr);

    QByteArray currentPassword() const;
    QByteArray newPassword() const;

private:
    void check();

    Asks m_asks;
    QLineEdit* m_current = nullptr;
    QLineEdit* m_new = nullptr;
    QLineEdit* m_repeat = nullptr;
    QLabel* m_hint;
    QPushButton* m_ok;
};
