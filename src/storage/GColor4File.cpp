#include "GColor4File.h"

#include "RecordFile.h"

namespace {

enum Record {
    WeightPrintFontName = 32,
    WeightPrintFontSize = 33,
    WeightTrendDisplay = 34,
    BloodPressurePrintFontName = 36,
    BloodPressurePrintFontSize = 37,
};

const QString FileName = QStringLiteral("GColor4.Fil");

} // namespace

GColor4File::GColor4File(const ProgramFolder& folder)
    : m_folder(folder)
{ }

QString GColor4File::readFontName(int record, const QString& fallback) const
{
    RecordFile file(m_folder.filePath(FileName), RecordLength);
    TaggedValue stored;
    file.readTagged(record, stored);
    const QString name = stored.text();
    return name.trimmed().isEmpty() ? fallback : name;
}

bool GColor4File::writeFontName(int record, const QString& name) const
{
    RecordFile file(m_folder.filePath(FileName), RecordLength);
    return file.writeTagged(record, TaggedValue::fromText(name));
}

double GColor4File::readFontSize(int record) const
{
    RecordFile file(m_folder.filePath(FileName), RecordLength);
    TaggedValue stored;
    file.readTagged(record, stored);
    if (!stored.isNumber())
        return DefaultPrintFontSize;
    const double size = stored.number();
    // Written so that NaN, too, falls back to the default.
    return size >= MinimumPrintFontSize && size <= MaximumPrintFontSize ? size
                                                                        : DefaultPrintFontSize;
}

bool GColor4File::writeFontSize(int record, const TaggedValue& size) const
{
    if (!size.isNumber())
        return false;
    RecordFile file(m_folder.filePath(FileName), RecordLength);
    return file.writeTagged(record, size);
}

QString GColor4File::weightPrintFontName(const QString& fallback) const
{
    return readFontName(WeightPrintFontName, fallback);
}

QString GColor4File::bloodPressurePrintFontName(const QString& fallback) const
{
    return readFontName(BloodPressurePrintFontName, fallback);
}

bool GColor4File::setWeightPrintFontName(const QString& name) const
{
    return writeFontName(WeightPrintFontName, name);
}

bool GColor4File::setBloodPressurePrintFontName(const QString& name) const
{
    return writeFontName(BloodPressurePrintFontName, name);
}

double GColor4File::weightPrintFontSize() const
{
    return readFontSize(WeightPrintFontSize);
}

double GColor4File::bloodPressurePrintFontSize() const
{
    return readFontSize(BloodPressurePrintFontSize);
}

bool GColor4File::setWeightPrintFontSize(const TaggedValue& size) const
{
    return writeFontSize(WeightPrintFontSize, size);
}

bool GColor4File::setBloodPressurePrintFontSize(const TaggedValue& size) const
{
    return writeFontSize(BloodPressurePrintFontSize, size);
}

bool GColor4File::weightTrendDisplayOn() const
{
    RecordFile file(m_folder.filePath(FileName), RecordLength);
    QString text;
    file.readText(WeightTrendDisplay, text);
    text = text.trimmed();
    return text.isEmpty() || text == QLatin1String("ON");
}

bool GColor4File::setWeightTrendDisplay(bool on) const
{
    RecordFile file(m_folder.filePath(FileName), RecordLength);
    return file.writeText(WeightTrendDisplay, on ? QStringLiteral("ON") : QStringLiteral("OFF"));
}
