#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace quadrivium {

/// The document information a PDF file carries about itself.
struct PdfDocumentInfo {
    QString title;
    QString author;
    QString subject;
    QString creator;
    QDateTime created;
};

/// `pdf` followed by an update whose document information dictionary holds
/// `info` (with the producer of the original file kept as "Qt"), so that
/// readers show the new title, author, subject, creator and creation date.
/// `pdf` comes back unchanged when it has no cross-reference table and
/// trailer to update.
QByteArray WithDocumentInfo(const QByteArray &pdf, const PdfDocumentInfo &info);

} // namespace quadrivium
