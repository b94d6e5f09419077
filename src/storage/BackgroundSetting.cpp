#include "BackgroundSetting.h"

namespace {

const QString DefaultWord = QStringLiteral("Default");

QString withoutTrailingBlanks(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == u' ')
        --end;
    return text.left(end);
}

} // namespace

BackgroundSetting BackgroundSetting::systemDefault()
{
    BackgroundSetting setting;
    setting.m_kind = Kind::Default;
    setting.m_text = DefaultWord;
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
    const QString trimmed = withoutTrailingBlanks(text);
    if (trimmed.left(2).toUpper() == QLatin1String("WP")) {
        BackgroundSetting setting;
        setting.m_kind = Kind::Picture;
        setting.m_text = trimmed;
        return setting;
    }
    if (trimmed == DefaultWord)
        return systemDefault();
    bool ok = false;
    const qint32 value = trimmed.trimmed().toInt(&ok, 10);
    if (ok)
        return colour(value);
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
    return isPicture() ? m_text + QStringLiteral(".jpg") : QString();
}

QString BackgroundSetting::toText() const
{
    return m_text;
}
