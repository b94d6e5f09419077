#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A section 1 manual page in man(7) markup, written from the program's own
// usage text, so that the page and --help say the same and cannot drift.
//
// The usage text is read by its layout, the one both programs print:
// - "Usage: COMMAND LINE" first: the synopsis;
// - an unindented line ending in ":" names a section ("Commands:"), and the
//   indented lines below it are its body; "Label: text" on an unindented
//   line starts a section with that text ("Exit status: 0 on success");
// - any other unindented lines are paragraphs;
// - a body in which every entry is either "term  text" (two spaces between)
//   or a term over more deeply indented text is a list; any other body is
//   prose, whose more deeply indented lines are shown as they are.
class ManualPage
{
public:
    // summary: what the command does, for the page's NAME line.
    ManualPage(QString command, QString summary, QString source, QString date);

    void addUsage(const QString& usage);
    // Paragraphs of plain text under a heading, after any the usage put
    // there; DESCRIPTION before the usage puts them first.
    void addParagraphs(const QString& heading, const QStringList& paragraphs);
    // SEE ALSO, by command name.
    void addSeeAlso(const QString& command);

    QString toRoff() const;

private:
    struct Section {
        QString heading;
        QStringList lines;
        bool hasText = false;
    };

    // The section under a heading, added after the others when new.
    qsizetype sectionIndex(const QString& heading);
    void addParagraph(Section& section, const QString& text);
    void addBody(Section& section, const QStringList& lines);
    void addList(Section& section, const QStringList& lines, int indent);
    void addProse(Section& section, const QStringList& lines, int indent);

    QString m_command;
    QString m_summary;
    QString m_source;
    QString m_date;
    QString m_synopsis;
    QList<Section> m_sections;
    QStringList m_seeAlso;
};
