#include "ManualPage.h"

#include <QRegularExpression>

namespace {

int indentOf(const QString& line)
{
    int indent = 0;
    while (indent < line.size() && line.at(indent) == u' ')
        ++indent;
    return indent;
}

bool isBlank(const QString& line)
{
    return line.trimmed().isEmpty();
}

// Text as roff shows it: every hyphen a typed one (so that options copied
// from the page work), backslashes literal, and no line taken for a request.
QString escaped(const QString& text)
{
    QString result = text;
    result.replace(u'\\', QStringLiteral("\\e"));
    result.replace(u'-', QStringLiteral("\\-"));
    if (result.startsWith(u'.') || result.startsWith(u'\''))
        result.prepend(QStringLiteral("\\&"));
    return result;
}

QString joined(const QStringList& lines)
{
    QStringList words;
    for (const QString& line : lines)
        words.append(line.simplified());
    return words.join(u' ');
}

// A command line in the usual manual style: what is typed as it stands in
// bold, the names that stand for something the user supplies (NAME,
// FILE.csv) in italics, brackets, bars and commas in roman.
QString commandLine(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("^[A-Z][A-Z0-9_]*(\\.[a-z0-9]+)?$"));
    static const QRegularExpression token(QStringLiteral("[^\\s\\[\\]|,]+|[\\s\\[\\]|,]"));
    QString result;
    for (const QRegularExpressionMatch& match : token.globalMatch(text.simplified())) {
        const QString part = match.captured();
        if (part.size() == 1 && QStringLiteral(" []|,").contains(part))
            result += part;
        else if (placeholder.match(part).hasMatch())
            result += QStringLiteral("\\fI") + escaped(part) + QStringLiteral("\\fR");
        else
            result += QStringLiteral("\\fB") + escaped(part) + QStringLiteral("\\fR");
    }
    if (result.startsWith(u'.') || result.startsWith(u'\''))
        result.prepend(QStringLiteral("\\&"));
    return result;
}

// "term   text": a term and its text two or more spaces apart.
bool splitsInTwo(const QString& line)
{
    return line.trimmed().contains(QStringLiteral("  "));
}

} // namespace

ManualPage::ManualPage(QString command, QString summary, QString source, QString date)
    : m_command(std::move(command))
    , m_summary(std::move(summary))
    , m_source(std::move(source))
    , m_date(std::move(date))
{ }

qsizetype ManualPage::sectionIndex(const QString& heading)
{
    const QString upper = heading.toUpper();
    for (qsizetype index = 0; index < m_sections.size(); ++index) {
        if (m_sections.at(index).heading == upper)
            return index;
    }
    m_sections.append(Section { upper, {}, false });
    return m_sections.size() - 1;
}

void ManualPage::addParagraph(Section& section, const QString& text)
{
    if (section.hasText)
        section.lines.append(QStringLiteral(".PP"));
    section.lines.append(escaped(text));
    section.hasText = true;
}

void ManualPage::addUsage(const QString& usage)
{
    static const QRegularExpression labelled(
        QStringLiteral("^([A-Z][a-z]*(?: [a-z]+){0,2}): (\\S.*)$"));
    QStringList lines = usage.split(u'\n');
    qsizetype i = 0;
    if (!lines.isEmpty() && lines.first().startsWith(QStringLiteral("Usage: "))) {
        m_synopsis = lines.first().mid(7);
        for (i = 1; i < lines.size() && !isBlank(lines.at(i)) && indentOf(lines.at(i)) > 0; ++i)
            m_synopsis += u' ' + lines.at(i).trimmed();
    }

    qsizetype current = sectionIndex(QStringLiteral("DESCRIPTION"));
    while (i < lines.size()) {
        const QString& line = lines.at(i);
        if (isBlank(line)) {
            ++i;
            continue;
        }
        if (indentOf(line) > 0) {
            QStringList body;
            for (; i < lines.size() && !isBlank(lines.at(i)) && indentOf(lines.at(i)) > 0; ++i)
                body.append(lines.at(i));
            addBody(m_sections[current], body);
            continue;
        }
        if (line.endsWith(u':')) {
            current = sectionIndex(line.chopped(1));
            ++i;
            continue;
        }
        QStringList paragraph;
        const QRegularExpressionMatch label = labelled.match(line);
        if (label.hasMatch()) {
            current = sectionIndex(label.captured(1));
            paragraph.append(label.captured(2));
            ++i;
        }
        for (; i < lines.size() && !isBlank(lines.at(i)) && indentOf(lines.at(i)) == 0
             && !lines.at(i).endsWith(u':');
             ++i)
            paragraph.append(lines.at(i));
        addParagraph(m_sections[current], joined(paragraph));
    }
}

void ManualPage::addBody(Section& section, const QStringList& lines)
{
    int indent = indentOf(lines.first());
    for (const QString& line : lines)
        indent = std::min(indent, indentOf(line));
    bool isList = true;
    for (qsizetype i = 0; i < lines.size() && isList; ++i) {
        if (indentOf(lines.at(i)) == indent)
            isList = splitsInTwo(lines.at(i))
                || (i + 1 < lines.size() && indentOf(lines.at(i + 1)) > indent);
    }
    if (isList)
        addList(section, lines, indent);
    else
        addProse(section, lines, indent);
}

void ManualPage::addList(Section& section, const QStringList& lines, int indent)
{
    for (qsizetype i = 0; i < lines.size();) {
        const QString entry = lines.at(i).trimmed();
        QStringList below;
        for (++i; i < lines.size() && indentOf(lines.at(i)) > indent; ++i)
            below.append(lines.at(i));

        QString term = entry;
        QStringList text;
        if (splitsInTwo(entry)) {
            const qsizetype gap = entry.indexOf(QStringLiteral("  "));
            term = entry.left(gap);
            text.append(entry.mid(gap));
            text.append(below);
        } else if (!below.isEmpty()) {
            // The text is the least indented; lines indented further before
            // it carry on the term.
            int textIndent = indentOf(below.first());
            for (const QString& line : std::as_const(below))
                textIndent = std::min(textIndent, indentOf(line));
            qsizetype first = 0;
            while (indentOf(below.at(first)) > textIndent)
                term += u' ' + below.at(first++).trimmed();
            text = below.mid(first);
        }
        section.lines.append(QStringLiteral(".TP"));
        section.lines.append(commandLine(term));
        if (!text.isEmpty())
            section.lines.append(escaped(joined(text)));
    }
    section.hasText = true;
}

void ManualPage::addProse(Section& section, const QStringList& lines, int indent)
{
    for (qsizetype i = 0; i < lines.size();) {
        QStringList run;
        const bool shownAsIs = indentOf(lines.at(i)) > indent;
        for (; i < lines.size() && (indentOf(lines.at(i)) > indent) == shownAsIs; ++i)
            run.append(lines.at(i));
        if (!shownAsIs) {
            addParagraph(section, joined(run));
            continue;
        }
        section.lines.append(QStringLiteral(".RS"));
        section.lines.append(QStringLiteral(".nf"));
        for (const QString& line : std::as_const(run))
            section.lines.append(escaped(line.trimmed()));
        section.lines.append(QStringLiteral(".fi"));
        section.lines.append(QStringLiteral(".RE"));
        // Text after the shown lines starts a paragraph of its own.
        section.hasText = true;
    }
}

void ManualPage::addParagraphs(const QString& heading, const QStringList& paragraphs)
{
    const qsizetype target = sectionIndex(heading);
    for (const QString& paragraph : paragraphs)
        addParagraph(m_sections[target], paragraph);
}

void ManualPage::addSeeAlso(const QString& command)
{
    m_seeAlso.append(command);
}

QString ManualPage::toRoff() const
{
    QStringList page {
        QStringLiteral(".\\\" Written by the build from %1's usage text.").arg(m_command),
        QStringLiteral(".TH %1 1 \"%2\" \"%3\" \"User Commands\"")
            .arg(escaped(m_command.toUpper()), escaped(m_date), escaped(m_source)),
        // Words unbroken and lines unjustified, so that commands and file
        // names read as they are typed.
        QStringLiteral(".nh"),
        QStringLiteral(".ad l"),
        QStringLiteral(".SH NAME"),
        escaped(m_command) + QStringLiteral(" \\- ") + escaped(m_summary),
    };
    if (!m_synopsis.isEmpty())
        page << QStringLiteral(".SH SYNOPSIS") << commandLine(m_synopsis);
    for (const Section& section : m_sections) {
        if (section.lines.isEmpty())
            continue;
        page << QStringLiteral(".SH ") + escaped(section.heading);
        page << section.lines;
    }
    if (!m_seeAlso.isEmpty()) {
        QStringList references;
        for (const QString& command : m_seeAlso)
            references.append(QStringLiteral("\\fB%1\\fR(1)").arg(escaped(command)));
        page << QStringLiteral(".SH SEE ALSO") << references.join(QStringLiteral(", "));
    }
    return page.join(u'\n') + u'\n';
}
