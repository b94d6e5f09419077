#include "GZorq1File.h"

#include "TaggedValue.h"

namespace {

const QString FileName = QStringLiteral("GZORQ1.Fil");
constexpr int ScreenBackgroundRecord = 3;
const QString DefaultWord = QStringLiteral("Def");

BackgroundSetting fromStored(const TaggedValue& stored)
{
    const BackgroundSetting initial
        = BackgroundSetting::colour(BackgroundSetting::InitialScreenColour);
    if (stored.isNumber())
        return BackgroundSetting::colour(stored.toInt32());
    if (!stored.isText())
        return initial;
    QString text = stored.text();
    while (text.endsWith(u' '))
        text.chop(1);
    if (text == DefaultWord)
        return BackgroundSetting::systemDefault();
    const BackgroundSetting parsed = BackgroundSetting::parse(text);
    return parsed.isNotSet() ? initial : parsed;
}

TaggedValue toStored(const BackgroundSetting& background)
{
    switch (background.kind()) {
    case BackgroundSetting::Kind::Default:
        return TaggedValue::fromText(DefaultWord);
    case BackgroundSetting::Kind::Picture:
        return TaggedValue::fromText(background.pictureName());
    case BackgroundSetting::Kind::Colour:
        return TaggedValue::fromInt32(background.colourValue());
    case BackgroundSetting::Kind::NotSet:
        break;
    }
    return TaggedValue();
}

} // namespace

GZorq1File::GZorq1File(const ProgramFolder& folder)
    : m_records(folder, FileName, RecordLength)
{ }

BackgroundSetting GZorq1File::screenBackground() const
{
    return fromStored(m_records.tagged(ScreenBackgroundRecord));
}

Outcome GZorq1File::setScreenBackground(const BackgroundSetting& background) const
{
    return m_records.setTagged(ScreenBackgroundRecord, toStored(background));
}
