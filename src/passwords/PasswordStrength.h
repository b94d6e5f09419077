#pragma once

#include <QString>

// How hard a password is to guess, from zxcvbn's estimate of the guesses an
// attacker who knows common passwords, words, names, dates and keyboard
// patterns would need. The same words serve the strength line, the health
// view and the command line.
class PasswordStrength
{
public:
    // Scores 3 and 4 are strong enough; below that the health view lists
    // the password.
    static constexpr int StrongScore = 3;
    // An offline attacker with fast hashing and many machines.
    static constexpr double GuessesPerSecond = 1e10;

    // The estimate for password, which must not be empty.
    static PasswordStrength of(const QString& password);

    // 0 "very weak" to 4 "very strong", from the guesses.
    int score() const { return m_score; }
    double log10Guesses() const { return m_log10Guesses; }
    bool isWeak() const { return m_score < StrongScore; }

    // "very weak", "weak", "fair", "strong" or "very strong".
    QString words() const;
    // The time the offline attacker needs, in words: "less than a second",
    // "3 hours", "centuries".
    QString crackTime() const;

    static int scoreFor(double log10Guesses);
    static QString scoreWords(int score);
    static QString durationWords(double seconds);

private:
    PasswordStrength(int score, double log10Guesses);

    int m_score;
    double m_log10Guesses;
};
