#include "PasswordStrength.h"

#include <zxcvbn.h>

#include <QByteArray>

#include <array>
#include <cmath>

PasswordStrength::PasswordStrength(int score, double log10Guesses)
    : m_score(score)
    , m_log10Guesses(log10Guesses)
{ }

PasswordStrength PasswordStrength::of(const QString& password)
{
    const QByteArray utf8 = password.toUtf8();
    // zxcvbn gives the entropy in bits: the guesses are 2 to that power,
    // kept as a logarithm because long passwords overflow any number.
    const double bits = ZxcvbnMatch(utf8.constData(), nullptr, nullptr);
    const double log10Guesses = bits * std::log10(2.0);
    return { scoreFor(log10Guesses), log10Guesses };
}

int PasswordStrength::scoreFor(double log10Guesses)
{
    // The thresholds of zxcvbn's own score: 10^3, 10^6, 10^8, 10^10 guesses.
    constexpr std::array<double, 4> thresholds { 3, 6, 8, 10 };
    int score = 0;
    while (score < int(thresholds.size()) && log10Guesses >= thresholds[score])
        ++score;
    return score;
}

QString PasswordStrength::scoreWords(int score)
{
    static const std::array<QString, 5> words {
        QStringLiteral("very weak"),
        QStringLiteral("weak"),
        QStringLiteral("fair"),
        QStringLiteral("strong"),
        QStringLiteral("very strong"),
    };
    return words[std::size_t(qBound(0, score, 4))];
}

QString PasswordStrength::words() const
{
    return scoreWords(m_score);
}

QString PasswordStrength::crackTime() const
{
    return durationWords(std::pow(10.0, m_log10Guesses) / GuessesPerSecond);
}

QString PasswordStrength::durationWords(double seconds)
{
    struct Unit {
        double seconds;
        const char* singular;
        const char* plural;
    };
    constexpr double Minute = 60;
    constexpr double Hour = 60 * Minute;
    constexpr double Day = 24 * Hour;
    constexpr double Month = 31 * Day;
    constexpr double Year = 12 * Month;
    constexpr std::array<Unit, 6> units { {
        { Year, "year", "years" },
        { Month, "month", "months" },
        { Day, "day", "days" },
        { Hour, "hour", "hours" },
        { Minute, "minute", "minutes" },
        { 1, "second", "seconds" },
    } };
    if (!(seconds >= 1))
        return QStringLiteral("less than a second");
    if (seconds >= 100 * Year)
        return QStringLiteral("centuries");
    for (const Unit& unit : units) {
        if (seconds >= unit.seconds) {
            const auto count = qint64(std::round(seconds / unit.seconds));
            return QStringLiteral("%1 %2").arg(count).arg(
                QLatin1String(count == 1 ? unit.singular : unit.plural));
        }
    }
    return QStringLiteral("less than a second");
}
