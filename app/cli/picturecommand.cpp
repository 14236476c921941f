#include "picturecommand.h"

#include "clicommon.h"
#include "personscommand.h"
#include "readinginput.h"

#include "pages/pagepicture.h"
#include "pages/quadriviumdoc.h"
#include "pages/readingkind.h"
#include "pages/readingpage.h"
#include "pages/readingpages.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QWidget>

#include <memory>

namespace quadrivium::cli {

namespace {

QStringList readingNames()
{
    QStringList names;
    for (const auto &[name, command] : PicturePages())
        names << name;
    return names;
}

/// The page of `command`, taken out of the pages the window makes, and the
/// size the window's sheet gives each of them: room for the largest.
std::pair<std::unique_ptr<CReadingPage>, QSize> makePage(CQuadriviumDoc &document, int command)
{
    QWidget owner;
    std::unique_ptr<CReadingPage> chosen;
    QSize sheet;
    for (CReadingPage *page : CreateReadingPages(document, &owner)) {
        sheet = sheet.expandedTo(page->sizeHint());
        if (page->command() == command) {
            page->setParent(nullptr);
            chosen.reset(page);
        }
    }
    return {std::move(chosen), sheet};
}

} // namespace

int runPicture(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes a picture of one reading page, drawn as the window draws it."));
    parser.addHelpOption();
    parser.addOptions({
        {"reading", QStringLiteral("The page: %1.").arg(readingNames().join(QStringLiteral(", "))), "name"},
        {"size", "Size of the page in pixels (default: the size the window's sheet gives its pages).", "WxH"},
        {"out", "The picture file, ending in .png or .svg.", "file"},
    });
    addReadingOptions(parser, true);
    addSecondPersonOptions(parser);
    addDatabaseOptions(parser);
    if (const auto status = parseReadingArguments(parser, arguments))
        return *status;

    const QString reading = parser.value(QStringLiteral("reading"));
    int command = 0;
    for (const auto &[name, id] : PicturePages()) {
        if (reading == name)
            command = id;
    }
    if (command == 0)
        return fail(QStringLiteral("--reading wants one of %1, not \"%2\"")
                        .arg(readingNames().join(QStringLiteral(", ")), reading));
    const QString out = parser.value(QStringLiteral("out"));
    if (out.isEmpty())
        return fail(QStringLiteral("picture needs --out FILE.png or --out FILE.svg"));
    if (!PictureFormatOf(out))
        return fail(QStringLiteral("--out: \"%1\" must end in .png or .svg").arg(out));
    QSize size;
    if (parser.isSet(QStringLiteral("size"))) {
        static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
        const auto match = pattern.match(parser.value(QStringLiteral("size")).trimmed());
        size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
        if (!match.hasMatch() || size.width() < 1 || size.height() < 1 || size.width() > 10000
            || size.height() > 10000)
            return fail(QStringLiteral("--size wants WxH in pixels (1 to 10000 each), not \"%1\"")
                            .arg(parser.value(QStringLiteral("size"))));
    }
    ReadingInput input;
    if (const auto status = readReadingInput(parser, input))
        return *status;

    CQuadriviumDoc document;
    document.setCurrentPerson(input.name, input.born, input.time);
    document.setChosenDay(input.day);
    document.setLetterRules(input.rules);
    document.setCurrentCommand(command);
    const ReadingKind *kind = ReadingKindOf(command);
    if (const auto status = applySecondPerson(parser, kind && kind->needsPartner, input.today, document))
        return *status;
    const auto [page, sheetSize] = makePage(document, command);
    if (!page)
        return fail(QStringLiteral("the program has no %1 page").arg(reading));
    page->setClock(input.today);
    page->resize(size.isValid() ? size : sheetSize);
    page->refill();
    const Status written = WritePagePicture(*page, out);
    if (!written.ok())
        return storeFailure(written.error());
    return 0;
}

} // namespace quadrivium::cli
