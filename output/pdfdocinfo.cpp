#include "pdfdocinfo.h"

#include <QRegularExpression>
#include <cstdlib>

namespace quadrivium {

namespace {

// A text string as UTF-16 with its byte order mark, in hexadecimal: no
// character of a name can end the string early.
QByteArray pdfString(const QString &text)
{
    QByteArray bytes("<FEFF");
    for (const QChar c : text)
        bytes += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    bytes += '>';
    return bytes;
}

QByteArray pdfDate(const QDateTime &when)
{
    const QDateTime local = when.isValid() ? when : QDateTime::currentDateTime();
    const int offset = local.offsetFromUtc() / 60;
    const QByteArray zone = offset == 0 ? QByteArray("Z")
                                        : QByteArray(offset > 0 ? "+" : "-")
            + QByteArray::number(std::abs(offset) / 60).rightJustified(2, '0') + '\''
            + QByteArray::number(std::abs(offset) % 60).rightJustified(2, '0') + '\'';
    return "(D:" + local.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + zone + ')';
}

} // namespace

QByteArray WithDocumentInfo(const QByteArray &pdf, const PdfDocumentInfo &info)
{
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    const qsizetype trailer = pdf.lastIndexOf("trailer", startxref);
    if (startxref < 0 || trailer < 0)
        return pdf;
    static const QRegularExpression offsetPattern(QStringLiteral("^startxref\\s+(\\d+)"));
    static const QRegularExpression sizePattern(QStringLiteral("/Size\\s+(\\d+)"));
    static const QRegularExpression rootPattern(QStringLiteral("/Root\\s+(\\d+\\s+\\d+\\s+R)"));
    const QString tail = QString::fromLatin1(pdf.mid(startxref, 40));
    const QString dictionary = QString::fromLatin1(pdf.mid(trailer, startxref - trailer));
    const auto offset = offsetPattern.match(tail);
    const auto size = sizePattern.match(dictionary);
    const auto root = rootPattern.match(dictionary);
    if (!offset.hasMatch() || !size.hasMatch() || !root.hasMatch())
        return pdf;
    const int object = size.captured(1).toInt();

    QByteArray out = pdf;
    if (!out.endsWith('\n'))
        out += '\n';
    const qsizetype objectOffset = out.size();
    out += QByteArray::number(object) + " 0 obj\n<<\n/Title " + pdfString(info.title) + "\n/Author "
        + pdfString(info.author) + "\n/Subject " + pdfString(info.subject) + "\n/Creator "
        + pdfString(info.creator) + "\n/Producer " + pdfString(QStringLiteral("Qt " QT_VERSION_STR))
        + "\n/CreationDate " + pdfDate(info.created) + "\n>>\nendobj\n";
    const qsizetype xref = out.size();
    out += "xref\n" + QByteArray::number(object) + " 1\n"
        + QByteArray::number(objectOffset).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<<\n/Size " + QByteArray::number(object + 1) + "\n/Root " + root.captured(1).toLatin1()
        + "\n/Info " + QByteArray::number(object) + " 0 R\n/Prev " + offset.captured(1).toLatin1()
        + "\n>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}

} // namespace quadrivium
