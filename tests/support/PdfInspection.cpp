#include "PdfInspection.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <utility>

namespace {

QString unescape(QString text)
{
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

// Words whose tops lie this close (points) share a line.
constexpr qreal LineTolerance = 1.5;

QList<QList<PdfInspection::Word>> wordLines(const QList<PdfInspection::Word>& words)
{
    QList<PdfInspection::Word> sorted = words;
    std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        if (qAbs(a.box.bottom() - b.box.bottom()) > LineTolerance)
            return a.box.bottom() < b.box.bottom();
        return a.box.left() < b.box.left();
    });
    QList<QList<PdfInspection::Word>> lines;
    for (const PdfInspection::Word& word : sorted) {
        if (lines.isEmpty()
            || qAbs(lines.last().first().box.bottom() - word.box.bottom()) > LineTolerance)
            lines.append(QList<PdfInspection::Word>());
        lines.last().append(word);
    }
    return lines;
}

} // namespace

PdfInspection::PdfInspection(QString path)
    : m_path(std::move(path))
{
    bool ok = false;
    const QString html = run(
        QStringLiteral("pdftotext"), { QStringLiteral("-bbox"), m_path, QStringLiteral("-") }, &ok);
    if (!ok) {
        m_error = html;
        return;
    }
    static const QRegularExpression pageTag(
        QStringLiteral(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    static const QRegularExpression wordTag(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    const QStringList pages = html.split(QStringLiteral("</page>"));
    for (const QString& page : pages) {
        const QRegularExpressionMatch size = pageTag.match(page);
        if (!size.hasMatch())
            continue;
        m_pageSizes.append(QSizeF(size.captured(1).toDouble(), size.captured(2).toDouble()));
        QList<Word> words;
        for (const QRegularExpressionMatch& match : wordTag.globalMatch(page)) {
            words.append(Word { unescape(match.captured(5)),
                QRectF(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                    QPointF(match.captured(3).toDouble(), match.captured(4).toDouble())) });
        }
        m_pages.append(words);
    }
    m_valid = true;
}

QStringList PdfInspection::lines(int page) const
{
    QStringList texts;
    for (const QList<Word>& line : wordLines(words(page))) {
        QStringList parts;
        for (const Word& word : line)
            parts.append(word.text);
        texts.append(parts.join(QLatin1Char(' ')));
    }
    return texts;
}

std::optional<QRectF> PdfInspection::find(int page, const QString& phrase) const
{
    const QStringList wanted = phrase.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (wanted.isEmpty() || page < 0 || page >= pageCount())
        return std::nullopt;
    for (const QList<Word>& line : wordLines(words(page))) {
        for (qsizetype start = 0; start + wanted.size() <= line.size(); ++start) {
            bool matches = true;
            for (qsizetype i = 0; i < wanted.size() && matches; ++i)
                matches = line[start + i].text == wanted[i];
            if (!matches)
                continue;
            QRectF box = line[start].box;
            for (qsizetype i = 1; i < wanted.size(); ++i)
                box = box.united(line[start + i].box);
            return box;
        }
    }
    return std::nullopt;
}

QList<int> PdfInspection::pagesWith(const QString& phrase) const
{
    QList<int> pages;
    for (int page = 0; page < pageCount(); ++page) {
        if (find(page, phrase))
            pages.append(page);
    }
    return pages;
}

QString PdfInspection::info(const QString& field) const
{
    const QString output = run(QStringLiteral("pdfinfo"), { m_path });
    for (const QString& line : output.split(QLatin1Char('\n'))) {
        if (line.startsWith(field + QLatin1Char(':')))
            return line.mid(field.size() + 1).trimmed();
    }
    return QString();
}

QStringList PdfInspection::fonts() const
{
    // Skips the two heading lines; a subset's name carries a tag
    // ("ABCDEF+LiberationSerif").
    QStringList names;
    const QStringList lines = run(QStringLiteral("pdffonts"), { m_path }).split(QLatin1Char('\n'));
    for (qsizetype i = 2; i < lines.size(); ++i) {
        QString name = lines[i].section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
        if (name.isEmpty())
            continue;
        if (name.size() > 7 && name.at(6) == QLatin1Char('+'))
            name = name.mid(7);
        names.append(name);
    }
    return names;
}

QList<PdfInspection::Picture> PdfInspection::pictures() const
{
    // Columns: page num type width height color comp bpc enc interp object
    // ID x-ppi y-ppi size ratio; the two heading lines are skipped. Soft
    // masks ("smask") come with their pictures and are left out.
    QList<Picture> pictures;
    const QStringList lines = run(QStringLiteral("pdfimages"), { QStringLiteral("-list"), m_path })
                                  .split(QLatin1Char('\n'));
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList fields = lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() < 14 || fields[2] != u"image")
            continue;
        Picture picture;
        picture.page = fields[0].toInt() - 1;
        picture.pixels = QSizeF(fields[3].toDouble(), fields[4].toDouble());
        picture.xPpi = fields[12].toInt();
        picture.yPpi = fields[13].toInt();
        pictures.append(picture);
    }
    return pictures;
}

QByteArray PdfInspection::pagePng(int page, int dotsPerInch) const
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"),
        { QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dotsPerInch),
            QStringLiteral("-f"), QString::number(page + 1), QStringLiteral("-l"),
            QString::number(page + 1), QStringLiteral("-singlefile"), m_path, prefix });
    QFile png(prefix + QStringLiteral(".png"));
    if (!png.open(QIODevice::ReadOnly))
        return QByteArray();
    return png.readAll();
}

QString PdfInspection::run(const QString& program, const QStringList& arguments, bool* ok)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    const bool succeeded
        = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (ok)
        *ok = succeeded;
    if (!succeeded)
        return QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}
