#include "passwords/PasswordGenerator.h"

#include <QHash>
#include <QSet>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Options = PasswordGenerator::Options;

QSet<QChar> charactersOf(const QString& text)
{
    return QSet<QChar>(text.cbegin(), text.cend());
}

bool containsAny(const QString& password, const QString& characters)
{
    return std::any_of(password.cbegin(), password.cend(),
        [&characters](QChar c) { return characters.contains(c); });
}

TEST(PasswordGeneratorTest, EachLengthAndChoiceOfClassesGivesOnlyAndEveryChosenClass)
{
    const struct {
        bool letters, digits, symbols, leaveOut;
    } choices[] = {
        { true, true, true, false },
        { true, false, false, false },
        { false, true, false, false },
        { false, false, true, false },
        { true, true, false, true },
        { false, true, true, true },
        { true, true, true, true },
    };
    for (const auto& choice : choices) {
        for (int length : { 8, 9, 20, 49, 50 }) {
            const Options options { length, choice.letters, choice.digits, choice.symbols,
                choice.leaveOut };
            const QString allowed = PasswordGenerator::letters(options)
                + PasswordGenerator::digits(options) + PasswordGenerator::symbols(options);
            for (int draw = 0; draw < 20; ++draw) {
                const QString password = PasswordGenerator::generate(options);
                SCOPED_TRACE(password.toStdString());
                ASSERT_EQ(password.size(), length);
                EXPECT_TRUE(charactersOf(allowed).contains(charactersOf(password)));
                EXPECT_EQ(containsAny(password, PasswordGenerator::Letters), choice.letters);
                EXPECT_EQ(containsAny(password, PasswordGenerator::Digits), choice.digits);
                EXPECT_EQ(containsAny(password, PasswordGenerator::Symbols), choice.symbols);
                if (choice.leaveOut) {
                    EXPECT_FALSE(containsAny(password, PasswordGenerator::LookAlikes));
                }
            }
        }
    }
}

TEST(PasswordGeneratorTest, RefusesLengthsOutsideTheBoxAndNoClassAtAll)
{
    for (const Options& options :
        { Options { 7 }, Options { 51 }, Options { 0 }, Options { 20, false, false, false } }) {
        EXPECT_FALSE(options.isValid());
        EXPECT_EQ(PasswordGenerator::generate(options), QString());
    }
    EXPECT_TRUE(Options {}.isValid());
    EXPECT_EQ(Options {}.length, 20);
}

TEST(PasswordGeneratorTest, LookAlikesLeaveTheirClassesOnlyWhenAsked)
{
    const Options leaveOut { 20, true, true, true, true };
    for (const QString& characters : { PasswordGenerator::letters(leaveOut),
             PasswordGenerator::digits(leaveOut), PasswordGenerator::symbols(leaveOut) }) {
        EXPECT_FALSE(containsAny(characters, PasswordGenerator::LookAlikes))
            << characters.toStdString();
    }
    EXPECT_EQ(PasswordGenerator::letters(leaveOut).size(), 52 - 4);
    EXPECT_EQ(PasswordGenerator::digits(leaveOut).size(), 10 - 2);
    EXPECT_EQ(PasswordGenerator::symbols(leaveOut).size(), 32 - 1);
    EXPECT_EQ(PasswordGenerator::letters(Options {}).size(), 52);
}

// Within each class every character must come up equally often: a draw
// that favoured some (a modulo bias, a character never reached) shows as a
// chi-square far above its degrees of freedom. Across classes the counts
// are not equal on purpose, since passwords missing a class are drawn again.
TEST(PasswordGeneratorTest, CharactersOfEachClassAreDrawnUniformly)
{
    const Options options { 50, true, true, true, false };
    QHash<QChar, int> counts;
    for (int draw = 0; draw < 4000; ++draw) {
        for (QChar c : PasswordGenerator::generate(options))
            ++counts[c];
    }
    for (const QString& characters :
        { PasswordGenerator::Letters, PasswordGenerator::Digits, PasswordGenerator::Symbols }) {
        double total = 0;
        for (QChar c : characters)
            total += counts.value(c);
        const double expected = total / double(characters.size());
        double chiSquare = 0;
        for (QChar c : characters)
            chiSquare += std::pow(counts.value(c) - expected, 2) / expected;
        // The 99.99th percentile of chi-square with up to 51 degrees of
        // freedom lies below 100; 31 degrees of freedom, below 70.
        const double limit = characters.size() > 40 ? 100 : 70;
        EXPECT_LT(chiSquare, limit) << characters.toStdString();
    }
}

} // namespace
