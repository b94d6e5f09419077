#pragma once

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

// Reads a PDF from outside, with the poppler tools a user would use:
// pdftotext -bbox for the words and where they stand, pdfinfo for pages and
// paper, pdffonts for the fonts, pdftoppm for page pictures. Positions are in
// points from the page's top left corner (a twip is 1/20 point).
class PdfInspection
{
public:
    struct Word {
        QString text;
        QRectF box;
    };

    explicit PdfInspection(QString path);

    // False (and the tool's complaint in error()) when pdftotext failed.
    bool isValid() const { return m_valid; }
    const QString& error() const { return m_error; }

    int pageCount() const { return int(m_pages.size()); }
    QSizeF pageSize(int page) const { return m_pageSizes.value(page); }
    const QList<Word>& words(int page) const { return m_pages.at(page); }
    // The page's words joined with blanks, line by line (words sharing a
    // baseline make a line), top to bottom.
    QStringList lines(int page) const;
    // The box around the first run of words on one line that reads phrase
    // (words separated by single blanks).
    std::optional<QRectF> find(int page, const QString& phrase) const;
    // The pages on which phrase appears, counted from 0.
    QList<int> pagesWith(const QString& phrase) const;

    // pdfinfo's "Pages:" and "Page size:" lines.
    QString info(const QString& field) const;
    // The font names pdffonts lists, e.g. "LiberationSerif".
    QStringList fonts() const;
    // A picture placed in the PDF, as pdfimages -list reports it: its
    // pixels and the dots per inch at which it stands on its page.
    struct Picture {
        int page = 0; // from 0
        QSizeF pixels;
        int xPpi = 0;
        int yPpi = 0;
    };
    QList<Picture> pictures() const;

    // Page (from 0) as a PNG picture at dotsPerInch (QImage::fromData
    // reads it; the inspection itself needs no Qt Gui).
    QByteArray pagePng(int page, int dotsPerInch = 72) const;

private:
    static QString run(const QString& program, const QStringList& arguments, bool* ok = nullptr);

    QString m_path;
    bool m_valid = false;
    QString m_error;
    QList<QList<Word>> m_pages;
    QList<QSizeF> m_pageSizes;
};
