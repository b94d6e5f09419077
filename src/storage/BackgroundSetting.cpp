#include "BackgroundSetting.h"

#include "StoredColour.h"

BackgroundSetting BackgroundSetting::systemDefault()
{
    BackgroundSetting setting;
    setting.m_kind = Kind::Default;
    setting.m_text = StoredColour::systemDefault().toText();
    return setting;
}

BackgroundSetting BackgroundSetting::picture(int number)
{
    BackgroundSetting setting;
    setting.m_kind = Kind::Picture;
    setting.m_text = QStringLiteral("WP") + QString::number(number);
    return setting;
}

BackgroundSetting BackgroundSetting::colour(qint32 value)
{
    BackgroundSetting setting;
    setting.m_kind = Kind::Colour;
    setting.m_value = value;
    setting.m_text = QString::number(value);
    return setting;
}

BackgroundSetting BackgroundSetting::parse(const QString& text)
{
    QString trimmed = text;
    while (trimmed.endsWith(u' '))
        trimmed.chop(1);
    if (trimmed.left(2).toUpper() == QLatin1String("WP")) {
        BackgroundSetting setting;
        setting.m_kind = Kind::Picture;
        setting.m_text = trimmed;
        return setting;
    }
    // Apart from the pictures, a background is stored like a panel colour.
    const StoredColour stored = StoredColour::parse(trimmed);
    if (stored.isDefault())
        return systemDefault();
    if (stored.isColour())
        return colour(stored.value());
    BackgroundSetting setting;
    setting.m_text = text;
    return setting;
}

int BackgroundSetting::pictureNumber() const
{
    if (!isPicture())
        return 0;
    bool ok = false;
    const int number = m_text.mid(2).toInt(&ok, 10);
    return ok && number >= 1 && number <= PictureCount ? number : 0;
}

QString BackgroundSetting::pictureFileName() const
{
    // Built from the number, never from the stored text: a record naming
    // anything but the sixteen pictures must not reach another file.
    const int number = pictureNumber();
    return number == 0 ? QString() : QStringLiteral("WP%1.jpg").arg(number);
}

QString BackgroundSetting::toText() const
{
    return m_text;
}
