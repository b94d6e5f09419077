#include "passwords/PasswordStrength.h"

#include <gtest/gtest.h>

namespace {

TEST(PasswordStrengthTest, WordsForATableOfPasswords)
{
    const struct {
        const char* password;
        const char* words;
    } cases[] = {
        { "password", "very weak" },
        { "123456", "very weak" },
        { "qwerty", "very weak" },
        { "letmein123", "very weak" },
        { "Tr0ub4dour", "weak" },
        { "jane1985", "weak" },
        { "river42stone", "fair" },
        { "jane1985!x", "fair" },
        { "correct horse", "strong" },
        { "Tr0ub4dour&3", "strong" },
        { "correct horse battery staple", "very strong" },
        { "k7#Vq9!mZ2@pLx4$", "very strong" },
    };
    for (const auto& c : cases) {
        const PasswordStrength strength = PasswordStrength::of(QString::fromUtf8(c.password));
        EXPECT_EQ(strength.words(), c.words) << c.password << " scored " << strength.score();
    }
}

TEST(PasswordStrengthTest, ScoreFollowsTheGuessThresholds)
{
    const struct {
        double log10Guesses;
        int score;
    } cases[] = { { 0, 0 }, { 2.99, 0 }, { 3, 1 }, { 5.99, 1 }, { 6, 2 }, { 7.99, 2 }, { 8, 3 },
        { 9.99, 3 }, { 10, 4 }, { 40, 4 } };
    for (const auto& c : cases)
        EXPECT_EQ(PasswordStrength::scoreFor(c.log10Guesses), c.score) << c.log10Guesses;
    EXPECT_TRUE(PasswordStrength::of(QStringLiteral("password")).isWeak());
    EXPECT_FALSE(PasswordStrength::of(QStringLiteral("k7#Vq9!mZ2@pLx4$")).isWeak());
}

TEST(PasswordStrengthTest, CrackTimeInWords)
{
    const struct {
        double seconds;
        const char* words;
    } cases[] = {
        { 0, "less than a second" },
        { 0.999, "less than a second" },
        { 1, "1 second" },
        { 42, "42 seconds" },
        { 60, "1 minute" },
        { 3 * 3600, "3 hours" },
        { 86400 * 2.4, "2 days" },
        { 86400 * 62, "2 months" },
        { 86400.0 * 31 * 12 * 5, "5 years" },
        { 86400.0 * 31 * 12 * 100, "centuries" },
        { 1e300, "centuries" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(PasswordStrength::durationWords(c.seconds), c.words) << c.seconds;
    // A long random password is out of any attacker's reach.
    EXPECT_EQ(PasswordStrength::of(QStringLiteral("x7#Vq9!mZ2@pLx4$Yt8&Rw3*Nb6^Kc1%Hd5(Jf0)"))
                  .crackTime(),
        "centuries");
}

} // namespace
