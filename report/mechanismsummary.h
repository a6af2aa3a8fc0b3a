#pragma once

#include <QString>

class QPagedPaintDevice;
class QTextDocument;
class Session;

// The mechanism's passport: its pairs, links, groups, points and degrees of freedom as tables,
// every value with its unit and every value still to be given said so.

// The degrees of freedom as the structure stage counts them: n moving links (each link once,
// the frame not), p pairs, W = 3n - 2p.
struct Mobility {
    int links = 0;
    int pairs = 0;
    int W = 0;
};
Mobility countMobility(const Session& session);

// The summary as an HTML page; title (the project's name) may be empty. The structure diagram is
// an SVG inside the page unless diagramSource names a picture the document holds.
QString summaryHtml(const Session& session, const QString& title, const QString& diagramSource = QString());

// The same summary laid out on the pages of a printer or a PDF writer.
void printSummary(const Session& session, const QString& title, QPagedPaintDevice& device);

// Writes the summary to path: PDF when the name ends in .pdf, HTML otherwise. Needs a
// QGuiApplication for the PDF. False when the file could not be written.
bool writeSummaryFile(const Session& session, const QString& title, const QString& path);
