#pragma once

#include <QString>

// Draws new passwords from libsodium's uniform random numbers: every
// character from the chosen classes, each class chosen at least once.
class PasswordGenerator
{
public:
    static constexpr int MinimumLength = 8;
    static constexpr int MaximumLength = 50;
    static constexpr int DefaultLength = 20;

    static inline const QString Letters
        = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    static inline const QString Digits = QStringLiteral("0123456789");
    static inline const QString Symbols = QStringLiteral("!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~");
    // Characters that are easily misread for one another on paper or in
    // some fonts.
    static inline const QString LookAlikes = QStringLiteral("Il1O0o|");

    struct Options {
        int length = DefaultLength;
        bool letters = true;
        bool digits = true;
        bool symbols = true;
        bool leaveOutLookAlikes = false;

        // At least one class and a length the password box takes.
        bool isValid() const;
    };

    // The characters a class offers under options, look-alikes left out
    // when asked; empty when the class is off.
    static QString letters(const Options& options);
    static QString digits(const Options& options);
    static QString symbols(const Options& options);

    // A new password, or the empty text when options are not valid.
    static QString generate(const Options& options);
};
