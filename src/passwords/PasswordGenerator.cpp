#include "PasswordGenerator.h"

#include "Sodium.h"

#include <sodium.h>

#include <algorithm>
#include <array>
#include <tuple>

namespace {

QString withoutLookAlikes(const QString& characters, const PasswordGenerator::Options& options)
{
    if (!options.leaveOutLookAlikes)
        return characters;
    QString kept;
    for (QChar c : characters) {
        if (!PasswordGenerator::LookAlikes.contains(c))
            kept.append(c);
    }
    return kept;
}

bool containsAny(const QString& password, const QString& characters)
{
    return std::any_of(password.cbegin(), password.cend(),
        [&characters](QChar c) { return characters.contains(c); });
}

} // namespace

bool PasswordGenerator::Options::isValid() const
{
    return (letters || digits || symbols) && length >= MinimumLength && length <= MaximumLength;
}

QString PasswordGenerator::letters(const Options& options)
{
    return options.letters ? withoutLookAlikes(Letters, options) : QString();
}

QString PasswordGenerator::digits(const Options& options)
{
    return options.digits ? withoutLookAlikes(Digits, options) : QString();
}

QString PasswordGenerator::symbols(const Options& options)
{
    return options.symbols ? withoutLookAlikes(Symbols, options) : QString();
}

// Every character is drawn from all chosen characters alike, and a password
// that misses a chosen class is drawn again whole. Rejecting whole
// passwords keeps every password that has each class equally likely;
// placing one character of each class first would favour the small classes
// at those places.
QString PasswordGenerator::generate(const Options& options)
{
    if (!options.isValid())
        return {};
    // Should libsodium fail to set up, randombytes still draws from the
    // system's generator, which is what it would use anyway.
    std::ignore = Sodium::ready();
    const std::array<QString, 3> classes { letters(options), digits(options), symbols(options) };
    QString pool;
    for (const QString& characters : classes)
        pool += characters;

    QString password;
    do {
        password.clear();
        for (int i = 0; i < options.length; ++i)
            password.append(pool.at(qsizetype(randombytes_uniform(uint32_t(pool.size())))));
    } while (!std::all_of(classes.cbegin(), classes.cend(), [&password](const QString& characters) {
        return characters.isEmpty() || containsAny(password, characters);
    }));
    return password;
}
