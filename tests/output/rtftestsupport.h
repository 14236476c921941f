#pragma once

// Helpers shared by the RTF tests: a compact, complete description of a
// document's text, paragraphs and formats, so that one string per table row
// checks every output of a read.

#include <QBrush>
#include <QColor>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace rtftest {

// Visible stand-ins for characters that are hard to read in a table.
inline QString visible(QString text)
{
    text.replace(QChar::LineSeparator, QStringLiteral("<LS>"));
    text.replace(u'\t', QStringLiteral("<TAB>"));
    text.replace(QChar(0x00A0), QStringLiteral("<NBSP>"));
    text.replace(QChar(0x00AD), QStringLiteral("<SHY>"));
    text.replace(QChar(0x2011), QStringLiteral("<NBH>"));
    return text;
}

// "[attributes]" of a format: the family when it is not `baseFamily`, the
// size when it is not 12 pt, b i u s for bold, italic, underline and
// strike-out, and the colour when it is not automatic.
inline QString attributes(const QTextCharFormat &format, const QString &baseFamily)
{
    QStringList parts;
    const QString family = format.fontFamilies().toStringList().value(0);
    if (family != baseFamily)
        parts << (family.isEmpty() ? QStringLiteral("nofamily") : family);
    if (format.fontPointSize() != 12.0)
        parts << QString::number(format.fontPointSize());
    if (format.fontWeight() > QFont::Normal)
        parts << QStringLiteral("b");
    if (format.fontItalic())
        parts << QStringLiteral("i");
    if (format.fontUnderline())
        parts << QStringLiteral("u");
    if (format.fontStrikeOut())
        parts << QStringLiteral("s");
    if (format.hasProperty(QTextFormat::ForegroundBrush))
        parts << format.foreground().color().name();
    return QLatin1Char('[') + parts.join(u',') + QLatin1Char(']');
}

inline QChar alignmentLetter(const QTextBlock &block)
{
    const Qt::Alignment a = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignHCenter)
        return u'c';
    if (a & Qt::AlignRight)
        return u'r';
    if (a & Qt::AlignJustify)
        return u'j';
    return u'l';
}

// One line per paragraph: its alignment letter, "|", then every run as
// "[attributes]text"; an empty paragraph shows the format of its mark.
inline QString describe(const QTextDocument &document, const QString &baseFamily = QStringLiteral("Arial"))
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString line = QString(alignmentLetter(block)) + u'|';
        if (block.length() <= 1)
            line += QStringLiteral("mark") + attributes(block.charFormat(), baseFamily);
        QString previous;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString attrs = attributes(fragment.charFormat(), baseFamily);
            if (attrs != previous)
                line += attrs;
            previous = attrs;
            line += visible(fragment.text());
        }
        lines << line;
    }
    return lines.join(u'\n');
}

// The document's text with paragraphs and line breaks as "\n".
inline QString text(const QTextDocument &document)
{
    QString result = document.toRawText();
    result.replace(QChar::ParagraphSeparator, u'\n');
    result.replace(QChar::LineSeparator, u'\n');
    return result;
}

// Text as a converter writes it, compared without its CR LF line ends, a
// byte order mark and the line ends at the end.
inline QString withoutTrailingLineEnds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    while (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

// The file LibreOffice (`soffice`) makes of the RTF file at `rtfPath` with
// the conversion `filter` ("txt:Text (encoded):UTF8", "fodt"), converted in
// `folder`; empty when the conversion failed.
inline QString libreOfficeConverted(const QString &soffice, const QString &rtfPath, const QString &folder,
                                    const QString &filter)
{
    QProcess process;
    process.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + folder + QStringLiteral("/profile"),
                            QStringLiteral("--headless"), QStringLiteral("--convert-to"), filter,
                            QStringLiteral("--outdir"), folder, rtfPath});
    if (!process.waitForFinished(180000))
        return {};
    QFile text(folder + u'/' + QFileInfo(rtfPath).completeBaseName() + u'.' + filter.section(u':', 0, 0));
    return text.open(QIODevice::ReadOnly) ? QString::fromUtf8(text.readAll()) : QString();
}

// The text LibreOffice reads from the RTF file at `rtfPath`.
inline QString libreOfficeText(const QString &soffice, const QString &rtfPath, const QString &folder)
{
    return libreOfficeConverted(soffice, rtfPath, folder, QStringLiteral("txt:Text (encoded):UTF8"));
}

} // namespace rtftest
