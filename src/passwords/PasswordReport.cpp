#include "PasswordReport.h"

#include "print/PrintDocumentBuilder.h"

#include <QLocale>

namespace {

// The comment keeps at least this width beside its caption; a font so
// large that it would not puts the comment under the caption instead.
constexpr qreal NarrowestComment = 2 * PrintDocument::TwipsPerInch;

} // namespace

PrintDocument PasswordReport::build(const PasswordEntry& entry, const QDate& printed,
    const QPageLayout& layout, const PrintFont& font)
{
    PrintDocumentBuilder builder(layout, PrintDocument::titleFor(entry.name, Title));
    const qreal width = builder.pageWidth();
    // A comment too long for the sheet goes on at the top of another
    // instead of off its foot.
    builder.setPageFullHandler(builder.pageHeight() - Top, [&builder] {
        builder.newPage();
        builder.setY(Top);
    });

    builder.setFont(font);
    builder.setIndents(TitleIndent, TitleIndent);
    builder.setY(Top);
    builder.setFontSize(font.points + 2);
    builder.paragraph(Title);

    builder.setIndents(BodyIndent, TitleIndent);
    builder.setFontSize(font.points);
    builder.newLine();
    const QString fields[3][2] {
        { QStringLiteral("Web address, Location, Service,Card, etc.:") + QString(4, u' '),
            entry.name },
        { QStringLiteral("Sign On ID, Login ID, User ID, etc.:") + QString(2, u' '), entry.signOn },
        { QStringLiteral("Password, PIN No., Secret #, etc.:") + QString(5, u' '), entry.password },
    };
    for (const auto& field : fields)
        builder.paragraph(field[0] + field[1]);

    const qreal commentLeft = BodyIndent + builder.textWidth(CommentCaption) + CommentGap;
    const qreal captionTop = builder.y();
    builder.paragraph(CommentCaption);
    if (width - TitleIndent - commentLeft >= NarrowestComment) {
        // Beside the caption, its later lines under its first.
        const qreal belowCaption = builder.y();
        builder.setY(captionTop);
        builder.setIndents(commentLeft, TitleIndent);
        builder.paragraph(entry.comment);
        builder.setIndents(BodyIndent, TitleIndent);
        builder.setY(qMax(builder.y(), belowCaption));
    } else {
        builder.paragraph(entry.comment);
    }
    builder.newLine();

    builder.setFontSize(FooterPoints);
    builder.paragraph(QStringLiteral("Halvorn"));
    builder.paragraph(
        QStringLiteral("Printed on ") + QLocale().toString(printed, QLocale::ShortFormat));
    return builder.takeDocument();
}
