#include "screens/WidestText.h"
#include "storage/StoredDate.h"

#include <QApplication>
#include <QDate>
#include <QFont>
#include <QStringList>

#include <algorithm>
#include <utility>

#include <gtest/gtest.h>

namespace {

int shapedWidest(const QFontMetrics& metrics, const QStringList& texts, int atLeast)
{
    int widest = atLeast;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest;
}

// What a log holds: every date of years in the long form, weights and
// changes, and texts that kern hard, leave Latin-1 or are empty.
QStringList logTexts()
{
    QStringList texts;
    for (QDate day(1999, 1, 1); day.year() < 2031; day = day.addDays(1))
        texts.append(StoredDate::longText(day));
    for (int tenths = -3000; tenths <= 3000; ++tenths)
        texts.append(QString::number(tenths / 10.0, 'f', tenths % 10 ? 1 : 0));
    texts += { QString(), QStringLiteral("."), QStringLiteral("N/A"), QStringLiteral("AVAVAVAVAV"),
        QStringLiteral("WAWAWA To Ty Yo"), QStringLiteral("ffi ffl"), QStringLiteral("Łódź Ωmega"),
        QStringLiteral("ẞ\u0301 combining"), QStringLiteral("😀😀😀") };
    return texts;
}

} // namespace

// A log's column is as wide as its widest text, found without shaping every
// text: the figure must be the one measuring each text would give, in the
// fonts the log uses.
TEST(WidestTextTest, FindsTheWidthThatMeasuringEveryTextGives)
{
    const QStringList texts = logTexts();
    QFont font = QApplication::font();
    for (const bool bold : { false, true }) {
        for (const int points : { 8, 10, 14 }) {
            font.setBold(bold);
            font.setPointSize(points);
            const QFontMetrics metrics(font);
            // Narrowest first too, so that each text beats the one before by
            // little: a text skipped that should not be shows.
            QList<std::pair<int, QString>> measured;
            for (const QString& text : texts)
                measured.append({ metrics.horizontalAdvance(text), text });
            std::stable_sort(measured.begin(), measured.end(),
                [](const auto& left, const auto& right) { return left.first < right.first; });
            QStringList growing;
            for (const auto& [width, text] : measured)
                growing.append(text);
            for (const QStringList& order : { texts, growing }) {
                for (const int atLeast : { 0, 40 }) {
                    WidestText widest(metrics, atLeast);
                    for (const QString& text : order)
                        widest.add(text);
                    EXPECT_EQ(widest.width(), shapedWidest(metrics, texts, atLeast))
                        << (bold ? "bold " : "") << points << " points, at least " << atLeast;
                }
            }
        }
    }
}
