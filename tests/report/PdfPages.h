#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QVector>

// What a printout left in a PDF file: its page count from the file's page
// objects, and the pages rendered to images (pdftoppm from poppler-utils).
int pdfPageCount(const QByteArray& pdf);
// Empty when the file cannot be rendered.
QVector<QImage> renderPdfPages(const QString& pdfPath);
// True when some pixel of the rectangle differs from white paper.
bool hasInk(const QImage& image, const QRect& area);
