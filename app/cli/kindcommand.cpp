#include "kindcommand.h"

#include "clicommon.h"
#include "personscommand.h"
#include "readinginput.h"

#include "output/storedtext.h"
#include "pages/quadriviumdoc.h"
#include "pages/readingkind.h"
#include "store/textstore.h"

#include <QCommandLineParser>
#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>

namespace quadrivium::cli {

int runReadingKind(const ReadingKind &kind, const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(kind.commandSummary);
    parser.addHelpOption();
    addReadingOptions(parser, true, false);
    parser.addOptions({
        {"date", "The day the reading is for (default: today).", "YYYY-MM-DD"},
        {"json", "Print one JSON object."},
        {"texts", "Add the interpretation texts, in the order of the reading's export."},
    });
    addDatabaseOptions(parser);
    if (const auto status = parseReadingArguments(parser, arguments))
        return *status;
    ReadingInput input;
    if (const auto status = readReadingInput(parser, input))
        return *status;
    const QDate now = QDate::currentDate();
    DateTimeValue day = DateTimeValue::fromFields(now.year(), now.month(), now.day());
    if (parser.isSet(QStringLiteral("date"))) {
        const auto given = parseDateArgument(parser.value(QStringLiteral("date")), QStringLiteral("--date"));
        if (!given.value)
            return fail(given.error);
        day = *given.value;
    }

    CQuadriviumDoc document;
    document.setCurrentPerson(input.name, input.born, input.time);
    document.setLetterRules(input.rules);
    document.setChosenDay(day);
    const auto subject = ReportSubjectOf(document, input.today);
    if (!subject)
        return fail(QStringLiteral("no reading for this date of birth"));

    std::vector<RecordText> texts;
    const bool withTexts = parser.isSet(QStringLiteral("texts"));
    if (withTexts) {
        auto found = ReadRecordTexts(TextStore(), kind.exportRecords(*subject, kind.allSections()));
        if (!found)
            return storeFailure(found.error());
        texts = std::move(found.value());
    }

    QTextStream out(stdout);
    if (parser.isSet(QStringLiteral("json"))) {
        QJsonObject object = kind.json(*subject);
        if (withTexts) {
            QJsonArray array;
            for (const RecordText &t : texts)
                array.append(QJsonObject{{"table", TextTableName(t.record.table)},
                                         {"numberId", t.record.numberId},
                                         {"title", t.title},
                                         {"text", t.body}});
            object.insert(QStringLiteral("texts"), array);
        }
        out << QJsonDocument(object).toJson(QJsonDocument::Indented);
        return 0;
    }
    out << kind.plainText(*subject);
    if (withTexts) {
        out << "\nTexts\n";
        for (const RecordText &t : texts)
            out << "\n[" << TextTableName(t.record.table) << ' ' << t.record.numberId << "] " << t.title << '\n'
                << t.body << '\n';
    }
    return 0;
}

} // namespace quadrivium::cli
