#include "PictureReference.h"

#include "storage/Windows1252.h"

#include <QStringList>

namespace {

// The characters of the text the code page cannot represent, each once, in
// the order they occur.
QStringList unstorableCharacters(const QString& text)
{
    QStringList found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // A character outside the Basic Multilingual Plane is two units.
        const qsizetype length
            = (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ? 2
            : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        if (Windows1252::decode(Windows1252::encode(character)) != character
            && !found.contains(character))
            found.append(character);
    }
    return found;
}

} // namespace

QString PictureReference::refusalFor(const QString& path)
{
    const QString intro = QStringLiteral("The picture\n%1\ncannot be entered: ").arg(path);
    const QString outro
        = QStringLiteral("\nPlease rename the folder or file, or choose a picture kept elsewhere.");
    if (path.contains(QLatin1Char('"')))
        return intro
            + QStringLiteral("its folder or file name holds a double quote (\"), which the "
                             "weight file cannot store.")
            + outro;
    // Stored references are read back trimmed.
    if (path != path.trimmed())
        return intro
            + QStringLiteral("its file name begins or ends with a blank, which the weight file "
                             "does not keep.")
            + outro;
    const QStringList characters = unstorableCharacters(path);
    if (!characters.isEmpty())
        return intro
            + QStringLiteral("its folder or file name holds %1, which the weight file cannot "
                             "store.")
                  .arg(characters.size() == 1
                          ? QStringLiteral("the character %1").arg(characters.first())
                          : QStringLiteral("the characters %1")
                                .arg(characters.join(QLatin1Char(' '))))
            + outro;
    return {};
}
