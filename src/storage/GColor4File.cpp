#include "GColor4File.h"

namespace {

enum Record {
    WeightPrintFontName = 32,
    WeightPrintFontSize = 33,
    WeightTrendDisplay = 34,
    BloodPressurePrintFontName = 36,
    BloodPressurePrintFontSize = 37,
};

} // namespace

GColor4File::GColor4File(const ProgramFolder& folder)
    : m_records(folder, FileName, RecordLength)
{ }

QString GColor4File::readFontName(int record, const QString& fallback) const
{
    const QString name = m_records.tagged(record).text();
    return name.trimmed().isEmpty() ? fallback : name;
}

Outcome GColor4File::writeFontName(int record, const QString& name) const
{
    return m_records.setTagged(record, TaggedValue::fromText(name));
}

TaggedValue GColor4File::readFontSize(int record) const
{
    const TaggedValue fallback = TaggedValue::fromInt16(qint16(DefaultPrintFontSize));
    const TaggedValue stored = m_records.tagged(record);
    if (!stored.isNumber())
        return fallback;
    const double size = stored.number();
    // Written so that NaN, too, falls back to the default.
    return size >= MinimumPrintFontSize && size <= MaximumPrintFontSize ? stored : fallback;
}

Outcome GColor4File::writeFontSize(int record, const TaggedValue& size) const
{
    if (!size.isNumber())
        return m_records.refused(QStringLiteral("a font size must be a number"));
    return m_records.setTagged(record, size);
}

QString GColor4File::weightPrintFontName(const QString& fallback) const
{
    return readFontName(WeightPrintFontName, fallback);
}

QString GColor4File::bloodPressurePrintFontName(const QString& fallback) const
{
    return readFontName(BloodPressurePrintFontName, fallback);
}

Outcome GColor4File::setWeightPrintFontName(const QString& name) const
{
    return writeFontName(WeightPrintFontName, name);
}

Outcome GColor4File::setBloodPressurePrintFontName(const QString& name) const
{
    return writeFontName(BloodPressurePrintFontName, name);
}

double GColor4File::weightPrintFontSize() const
{
    return readFontSize(WeightPrintFontSize).number();
}

double GColor4File::bloodPressurePrintFontSize() const
{
    return readFontSize(BloodPressurePrintFontSize).number();
}

TaggedValue GColor4File::weightPrintFontSizeValue() const
{
    return readFontSize(WeightPrintFontSize);
}

TaggedValue GColor4File::bloodPressurePrintFontSizeValue() const
{
    return readFontSize(BloodPressurePrintFontSize);
}

Outcome GColor4File::setWeightPrintFontSize(const TaggedValue& size) const
{
    return writeFontSize(WeightPrintFontSize, size);
}

Outcome GColor4File::setBloodPressurePrintFontSize(const TaggedValue& size) const
{
    return writeFontSize(BloodPressurePrintFontSize, size);
}

bool GColor4File::weightTrendDisplayOn() const
{
    const QString text = m_records.text(WeightTrendDisplay).trimmed();
    return text.isEmpty() || text == QLatin1String("ON");
}

Outcome GColor4File::setWeightTrendDisplay(bool on) const
{
    return m_records.setText(WeightTrendDisplay, on ? QStringLiteral("ON") : QStringLiteral("OFF"));
}
