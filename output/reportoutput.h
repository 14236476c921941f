#pragma once

#include "printjob.h"

#include "store/result.h"

#include <QPageSize>
#include <QString>

class QPrinter;

namespace quadrivium {

/// The program that makes the reports, as their files name it:
/// "Quadrivium" and the version.
QString ReportCreator();

/// The paper of `printer` in 0.1 mm, portrait, by the paper table.
QSize PrinterPaper(const QPrinter &printer);
/// The sheet of `printer` as printed in portrait, in 0.1 mm.
QSize PrinterSheet(const QPrinter &printer);

/// Composes `job` for the printer's paper (portrait, the whole sheet as the
/// page) and draws the pages of the printer's page range, every page when
/// no range is chosen. Fails with a message, before anything is drawn, when
/// there is nothing to print, the margins leave no room, the report would
/// need more pages than a job holds or the printer cannot start; a report's
/// content error is raised as an exception.
Status PrintReport(CPrintJob &job, QPrinter &printer);

/// Writes the report as a PDF file of paper `pageSize` to `path`, an output
/// target as OutputTarget() allows: the file is replaced only once the
/// whole report is written, and an interrupted writing leaves no draft
/// behind. The file carries the report's title, subject and author, the
/// creator and the time it was made. A failure names the file.
Status WriteReportPdf(CPrintJob &job, const QPageSize &pageSize, const QString &path);

} // namespace quadrivium
