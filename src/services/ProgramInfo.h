#pragma once

#include <QString>

// Texts and addresses that name the program and its maker.
namespace ProgramInfo {

inline QString name()
{
    return QStringLiteral("Halvorn");
}
inline QString versionNumber()
{
    return QStringLiteral("6.0");
}
inline QString version()
{
    return QStringLiteral("Version ") + versionNumber();
}
inline QString makerName()
{
    return QStringLiteral("Tamberlo");
}
// Placeholders: neither address belongs to anyone who could serve something
// unexpected.
inline QString makerWebSite()
{
    return QStringLiteral("https://example.org/halvorn");
}
inline QString associationWebSite()
{
    return QStringLiteral("https://example.org/household-software");
}
// The program's picture, drawn at build time among the files the program
// ships with.
inline QString pictureFileName()
{
    return QStringLiteral("Halvorn.png");
}

} // namespace ProgramInfo
