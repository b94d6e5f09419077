#pragma once

#include "passwords/PasswordEntry.h"
#include "print/PrintDocument.h"
#include "print/PrintFont.h"

#include <QDate>
#include <QPageLayout>
#include <QString>

// The Password Keeper's printout of one entry: the title, the entry's four
// boxes after their captions, the comment beside its caption, and a small
// footer with the date. The password prints in clear text, as the box
// shows it.
class PasswordReport
{
public:
    static inline const QString Title = QStringLiteral("Password Keeper");
    static inline const QString CommentCaption = QStringLiteral("Comments, Notes, Remarks, etc.:");
    // Left and right indents of the title, and the left indent of the body.
    static constexpr qreal TitleIndent = 400;
    static constexpr qreal BodyIndent = 600;
    static constexpr qreal Top = 200;
    // Between the comment caption's end and the comment.
    static constexpr qreal CommentGap = 200;
    static constexpr double FooterPoints = 6;

    // The document is titled with the entry's name and the report's title.
    static PrintDocument build(const PasswordEntry& entry, const QDate& printed,
        const QPageLayout& layout, const PrintFont& font);
};
