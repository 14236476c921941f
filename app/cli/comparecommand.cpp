#include "comparecommand.h"

#include "clicommon.h"
#include "personscommand.h"
#include "readinginput.h"

#include "engine/engine.h"
#include "output/storedtext.h"
#include "pages/compatibilityprintjob.h"
#include "store/personname.h"
#include "store/textstore.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace quadrivium::cli {

namespace {

/// One side of the comparison.
struct Side {
    ReadingInput input;
    CoreNumberSet numbers;
    ChartGrid grid;
};

std::optional<Side> compute(const ReadingInput &input)
{
    // Each side is counted as its own reading is.
    const auto reading = ComputeReading(EngineName(input.name, input.rules.accents), input.born, input.today,
                                        input.day, input.rules);
    if (!reading)
        return std::nullopt;
    return Side{input, reading->numbers, reading->grid};
}

QJsonValue relationValue(const std::optional<Relation> &relation)
{
    return relation ? QJsonValue(QString::fromLatin1(RelationKey(*relation))) : QJsonValue();
}

/// A compared number; null for a name without it, as in `reading --json`.
QJsonValue numberValue(int number)
{
    return number == 0 ? QJsonValue(QJsonValue::Null) : QJsonValue(number);
}

QJsonObject sideJson(const Side &s)
{
    return QJsonObject{
        {"displayName", s.input.name},
        {"born", s.input.bornText},
        {"rulingNumber", s.numbers.rulingNumber},
        {"dayNumber", s.numbers.dayNumber},
        {"fate", s.numbers.core.m_bNoFate ? QJsonValue(QJsonValue::Null) : QJsonValue(s.numbers.core.m_nFate)},
        {"appearance", s.numbers.core.m_nAppearance},
        {"dominant", s.numbers.core.m_nDominant},
    };
}

QJsonArray linesJson(const std::vector<int> &indexes)
{
    QJsonArray lines;
    for (int index : indexes) {
        const ChartLine &line = ChartLines()[std::size_t(index)];
        lines.append(QJsonObject{
            {"digits", QString::fromLatin1(line.digitText)},
            {"kind", line.missing ? "missing" : "present"},
            {"numberId", line.numberId},
            {"label", QString::fromLatin1(line.label)},
        });
    }
    return lines;
}

QJsonObject compareJson(const Side &a, const Side &b, const Compatibility &c)
{
    QJsonArray pairs;
    for (const ComparedPair &p : c.pairs)
        pairs.append(QJsonObject{{"role", CompareRoleKey(p.role)}, {"a", numberValue(p.a)}, {"b", numberValue(p.b)},
                                 {"relation", relationValue(p.relation)}});
    QJsonArray cells;
    for (int digit = 1; digit <= 9; ++digit)
        cells.append(QString::fromStdString(c.chart.together.m_strCell[std::size_t(digit)]));
    return QJsonObject{
        {"a", sideJson(a)},
        {"b", sideJson(b)},
        {"pairs", pairs},
        {"combinedCells", cells},
        {"linesTogether", linesJson(c.chart.linesTogether)},
    };
}

/// A cell of the combined chart: A's digits, then B's in brackets.
QString combinedCell(const CombinedChart &chart, int digit)
{
    const auto d = std::size_t(digit);
    const QString a(chart.countA[d], QLatin1Char('0' + digit));
    const QString b(chart.countB[d], QLatin1Char('0' + digit));
    if (a.isEmpty() && b.isEmpty())
        return QStringLiteral("-");
    return b.isEmpty() ? a : a + QLatin1Char('[') + b + QLatin1Char(']');
}

void printLines(QTextStream &out, const char *heading, const std::vector<int> &indexes)
{
    out << heading << '\n';
    for (int index : indexes) {
        const ChartLine &line = ChartLines()[std::size_t(index)];
        out << "  " << line.digitText << (line.missing ? " missing  " : " present  ") << line.label << '\n';
    }
    if (indexes.empty())
        out << "  (none)\n";
}

void printCompare(QTextStream &out, const Side &a, const Side &b, const Compatibility &c)
{
    auto nameOf = [](const Side &s) { return s.input.name.isEmpty() ? QStringLiteral("(no name)") : s.input.name; };
    out << "Compatibility of A " << nameOf(a) << ", born " << a.input.bornText << "\n"
        << "              and B " << nameOf(b) << ", born " << b.input.bornText << "\n\n";
    for (const ComparedPair &p : c.pairs) {
        out << QString::fromLatin1(CompareRoleTitle(p.role)).leftJustified(24)
            << QString::fromStdString(ComparedNumberText(p.a)).rightJustified(3)
            << QString::fromStdString(ComparedNumberText(p.b)).rightJustified(4) << "  "
            << (p.relation ? RelationKey(*p.relation) : "no relation: a name without this number") << '\n';
    }
    out << "\nBoth birth charts in one (B's digits in brackets)\n";
    for (int row = 0; row < 3; ++row) {
        out << "  ";
        for (int column = 0; column < 3; ++column)
            out << combinedCell(c.chart, 3 * column + 3 - row).leftJustified(14);
        out << '\n';
    }
    out << '\n';
    printLines(out, "Lines formed only together", c.chart.linesTogether);
    printLines(out, "Lines of A alone", c.chart.linesA);
    printLines(out, "Lines of B alone", c.chart.linesB);
}

} // namespace

int runCompare(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Compares two persons: their core numbers side by side with the relation of each pair, and "
        "both birth charts in one grid with the lines the two form only together."));
    parser.addHelpOption();
    addReadingOptions(parser, true, false);
    addSecondPersonOptions(parser);
    parser.addOptions({
        {"json", "Print one JSON object."},
        {"texts", "Add the interpretation texts of the reading."},
    });
    addDatabaseOptions(parser);
    if (const auto status = parseReadingArguments(parser, arguments))
        return *status;
    ReadingInput first, second;
    if (const auto status = readReadingInput(parser, first))
        return *status;
    second.today = first.today;
    second.day = first.day;
    second.rules = first.rules;
    if (const auto status = readSecondPerson(parser, second))
        return *status;
    const auto a = compute(first);
    const auto b = compute(second);
    if (!a || !b)
        return fail(QStringLiteral("no reading for this date of birth"));
    const Compatibility c = ComputeCompatibility(a->numbers, a->grid, b->numbers, b->grid);

    // The texts of the export with every section, in its order.
    std::vector<RecordText> texts;
    const bool withTexts = parser.isSet(QStringLiteral("texts"));
    if (withTexts) {
        auto found = ReadRecordTexts(TextStore(), CompatibilityExportRecords(c, 0x7U));
        if (!found)
            return storeFailure(found.error());
        texts = std::move(found.value());
    }

    QTextStream out(stdout);
    if (parser.isSet(QStringLiteral("json"))) {
        QJsonObject object = compareJson(*a, *b, c);
        if (withTexts) {
            QJsonArray array;
            for (const RecordText &t : texts)
                array.append(QJsonObject{{"title", t.title}, {"text", t.body}});
            object.insert(QStringLiteral("texts"), array);
        }
        out << QJsonDocument(object).toJson(QJsonDocument::Indented);
    } else {
        printCompare(out, *a, *b, c);
        if (withTexts) {
            out << "\nTexts\n";
            for (const RecordText &t : texts)
                out << '\n' << t.title << '\n' << t.body << '\n';
        }
    }
    return 0;
}

} // namespace quadrivium::cli
