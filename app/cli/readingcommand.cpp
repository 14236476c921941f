#include "readingcommand.h"

#include "clicommon.h"
#include "personscommand.h"
#include "readinginput.h"

#include "engine/engine.h"
#include "output/storedtext.h"
#include "store/store.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <algorithm>

namespace quadrivium::cli {

namespace {

QString fromEngine(const std::string &text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

template<typename T, std::size_t N>
QJsonArray toArray(const T (&values)[N])
{
    QJsonArray a;
    for (const T &v : values)
        a.append(v);
    return a;
}

QJsonObject readingToJson(const QString &name, const Reading &r)
{
    const auto &n = r.numbers;
    QJsonObject names{
        {"vowels", fromEngine(r.vowels.m_strVowels)},
        {"vowelDigits", fromEngine(r.vowels.m_strVowelDigits)},
        {"vowelSum", r.vowels.m_nVowelSum},
        {"consonants", fromEngine(r.consonants.m_strConsonants)},
        {"consonantDigits", fromEngine(r.consonants.m_strConsonantDigits)},
        {"consonantSum", r.consonants.m_nConsonantSum},
    };
    const BirthDigits &d = r.digits;
    QJsonArray digits{d.dayTens, d.dayOnes, d.monthTens, d.monthOnes,
                      d.yearThousands, d.yearHundreds, d.yearTens, d.yearOnes};
    QJsonObject pyramid{
        {"monthSum", r.pyramid.monthSum},
        {"daySum", r.pyramid.daySum},
        {"yearSum", r.pyramid.yearSum},
        {"climaxes", toArray(r.pyramid.climax)},
        {"ages", toArray(r.pyramid.age)},
        {"years", toArray(r.pyramid.year)},
    };
    QJsonArray counts, cells, lines;
    for (int digit = 0; digit <= 9; ++digit)
        counts.append(r.grid.m_nDigitCount[digit]);
    for (int digit = 1; digit <= 9; ++digit)
        cells.append(fromEngine(r.grid.m_strCell[digit]));
    for (int index : LineWalkOrder()) {
        if (!r.grid.m_bLine[index])
            continue;
        const ChartLine &line = ChartLines()[index];
        lines.append(QJsonObject{
            {"digits", QString::fromLatin1(line.digitText)},
            {"kind", line.missing ? "missing" : "present"},
            {"numberId", line.numberId},
            {"label", QString::fromLatin1(line.label)},
        });
    }
    const Walkthrough &w = r.walkthrough;
    QJsonObject walkthrough{
        {"date", fromEngine(w.date)},
        {"ruling", fromEngine(w.ruling)},
        {"day", fromEngine(w.day)},
        {"fate", fromEngine(w.fate)},
        {"appearance", fromEngine(w.appearance)},
        {"dominant", fromEngine(w.dominant)},
    };
    auto curve = [&](Curve c) {
        const auto i = static_cast<std::size_t>(c);
        return QJsonObject{{"value", r.curveValue[i]}, {"class", r.curveClass[i]}};
    };
    // A name without a vowel has no Number of Fate: null, not 0.
    const QJsonValue fate = n.core.m_bNoFate ? QJsonValue(QJsonValue::Null) : QJsonValue(n.core.m_nFate);
    return QJsonObject{
        {"displayName", name},
        {"ignoredLetters", IgnoredLettersOf(name, r.rules.accents)},
        {"rules", QJsonObject{{"accents", QString::fromLatin1(AccentRuleName(r.rules.accents).data())},
                              {"y", QString::fromLatin1(YRuleName(r.rules.y).data())}}},
        {"rulingNumber", n.rulingNumber},
        {"dayNumber", n.dayNumber},
        {"fate", fate},
        {"appearance", n.core.m_nAppearance},
        {"dominant", n.core.m_nDominant},
        {"personalYear", QJsonObject{{"year", n.core.m_nCurrentYear}, {"number", n.core.m_nPersonalYear}}},
        {"personalYearNext",
         QJsonObject{{"year", n.core.m_nCurrentYear + 1}, {"number", n.core.m_nPersonalYearNext}}},
        {"nameNumbers", names},
        {"birthDigits", digits},
        {"pyramid", pyramid},
        {"chart", QJsonObject{{"counts", counts}, {"cells", cells}, {"lines", lines}}},
        {"walkthrough", walkthrough},
        {"biorhythm", QJsonObject{{"physical", curve(Curve::Physical)},
                                  {"emotional", curve(Curve::Emotional)},
                                  {"intellectual", curve(Curve::Intellectual)}}},
    };
}

/// A text of the store that the reading's pages show for one of its numbers.
struct ReadingText {
    int table;
    int numberId;
    QString title;
    QString text;
};

/// The texts of the chart page's hot spots (digit cells, formed lines, the
/// six core numbers), the pyramid's climaxes and the biorhythm day, in that
/// order, each once; pairs without a stored record are left out.
Result<std::vector<ReadingText>> readingTexts(const Reading &r)
{
    std::vector<TextKey> wanted;
    auto want = [&](const char *table, int numberId) {
        const TextKey key{TextTableNumber(QLatin1String(table)), numberId};
        if (std::find(wanted.begin(), wanted.end(), key) == wanted.end())
            wanted.push_back(key);
    };
    for (int digit = 1; digit <= 9; ++digit)
        want("Zahlen", CellNumberID(digit, r.grid.m_nDigitCount[std::size_t(digit)]));
    for (int index : LineWalkOrder()) {
        if (r.grid.m_bLine[std::size_t(index)])
            want("Chart", ChartLines()[std::size_t(index)].numberId);
    }
    const auto &n = r.numbers;
    want("Rulingnumber", n.rulingNumber);
    want("Geburtstag", n.dayNumber);
    if (!n.core.m_bNoFate)
        want("Bestimmung", n.core.m_nFate);
    want("Erscheinung", n.core.m_nAppearance);
    want("Herrschende_Namenszahl", n.core.m_nDominant);
    want("Lebensjahreszahl", n.core.m_nPersonalYear);
    want("Lebensjahreszahl", n.core.m_nPersonalYearNext);
    for (int climax : r.pyramid.climax)
        want("Pyramide", climax);
    for (std::size_t curve = 0; curve < 3; ++curve) {
        if (r.curveClass[curve] != 0)
            want("Biorythmus", r.curveClass[curve] + 3 * int(curve));
    }
    const auto records = TextStore().readMany(wanted);
    if (!records)
        return Result<std::vector<ReadingText>>::failure(records.error());
    std::vector<ReadingText> texts;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (const auto &t = (*records)[i])
            texts.push_back({wanted[i].first, wanted[i].second, PlainTitle(t->title, t->text), PlainBody(t->text)});
    }
    return texts;
}

void printReading(QTextStream &out, const QString &name, const QString &born, const Reading &r)
{
    const auto &n = r.numbers;
    out << "Reading for " << (name.isEmpty() ? QStringLiteral("(no name)") : name)
        << ", born " << born << '\n';
    if (const QString note = IgnoredLettersNote(name, r.rules.accents); !note.isEmpty())
        out << note << '\n';
    if (n.core.m_bNoFate)
        out << NoFateNote(r.rules) << '\n';
    if (const QString rules = LetterRulesNotice(r.rules); !rules.isEmpty())
        out << rules << '\n';
    out << '\n';
    out << "Ruling Number                 " << n.rulingNumber << '\n'
        << "Day Number                    " << n.dayNumber << '\n'
        << "Number of Fate                "
        << (n.core.m_bNoFate ? QStringLiteral("-") : QString::number(n.core.m_nFate)) << '\n'
        << "Number of Appearance          " << n.core.m_nAppearance << '\n'
        << "Dominant Name Number          " << n.core.m_nDominant << '\n'
        << "Personal Current Year Number  "
        << QStringLiteral("%1 (%2)").arg(n.core.m_nPersonalYear).arg(n.core.m_nCurrentYear) << ", "
        << QStringLiteral("%1 (%2)").arg(n.core.m_nPersonalYearNext).arg(n.core.m_nCurrentYear + 1)
        << "\n\nBirth chart\n";
    for (int row = 0; row < 3; ++row) {
        out << "  ";
        for (int column = 0; column < 3; ++column) {
            const int digit = 3 * column + 3 - row;
            const QString cell = fromEngine(r.grid.m_strCell[digit]);
            out << (cell.isEmpty() ? QStringLiteral("-") : cell).leftJustified(10);
        }
        out << '\n';
    }
    out << "\nLines\n";
    bool any = false;
    for (int index : LineWalkOrder()) {
        if (!r.grid.m_bLine[index])
            continue;
        const ChartLine &line = ChartLines()[index];
        out << "  " << line.digitText << (line.missing ? " missing  " : " present  ")
            << line.label << '\n';
        any = true;
    }
    if (!any)
        out << "  (none)\n";
    out << "\nPyramid (month " << r.pyramid.monthSum << ", day " << r.pyramid.daySum << ", year "
        << r.pyramid.yearSum << ")\n";
    static const char *const ordinals[] = {"First", "Second", "Third", "Fourth"};
    for (int i = 0; i < 4; ++i)
        out << "  " << QString::fromLatin1(ordinals[i]).leftJustified(7) << "climax  "
            << r.pyramid.climax[i] << "   at age " << fromEngine(r.pyramid.ageYearText(i)) << '\n';
    const Walkthrough &w = r.walkthrough;
    out << "\nHow the numbers are reached\n"
        << "  Ruling Number:         " << fromEngine(w.date) << "  =  " << fromEngine(w.ruling) << '\n'
        << "  Day Number:            " << fromEngine(w.day) << '\n'
        << "  Number of Fate:        " << fromEngine(w.fate) << '\n'
        << "  Number of Appearance:  " << fromEngine(w.appearance) << '\n'
        << "  Dominant Name Number:  " << fromEngine(w.dominant) << '\n';
    static const char *const classes[] = {"off", "high", "middle", "low"};
    static const char *const curveNames[] = {"Physical", "Spiritual", "Intellectual"};
    out << "\nBiorhythm\n";
    for (std::size_t i = 0; i < 3; ++i)
        out << "  " << QString::fromLatin1(curveNames[i]).leftJustified(13)
            << QString::number(r.curveValue[i], 'f', 3).rightJustified(7) << "  "
            << classes[r.curveClass[i]] << '\n';
}

} // namespace

int runReading(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Prints every number of one person."));
    parser.addHelpOption();
    addReadingOptions(parser, false);
    parser.addOptions({
        {"json", "Print one JSON object."},
        {"texts", "Add the interpretation texts of the reading's numbers."},
    });
    addDatabaseOptions(parser);
    if (const auto status = parseReadingArguments(parser, arguments))
        return *status;
    ReadingInput input;
    if (const auto status = readReadingInput(parser, input))
        return *status;
    const QString &name = input.name;
    const auto reading = ComputeReading(EngineName(name, input.rules.accents), input.born, input.today, input.day,
                                        input.rules);
    if (!reading)
        return fail(QStringLiteral("no reading for this date of birth"));

    std::vector<ReadingText> texts;
    const bool withTexts = parser.isSet(QStringLiteral("texts"));
    if (withTexts) {
        auto found = readingTexts(*reading);
        if (!found)
            return storeFailure(found.error());
        texts = std::move(found.value());
    }

    QTextStream out(stdout);
    if (parser.isSet(QStringLiteral("json"))) {
        QJsonObject object = readingToJson(name, *reading);
        if (withTexts) {
            QJsonArray array;
            for (const ReadingText &t : texts)
                array.append(QJsonObject{{"table", TextTableName(t.table)}, {"numberId", t.numberId},
                                         {"title", t.title}, {"text", t.text}});
            object.insert(QStringLiteral("texts"), array);
        }
        out << QJsonDocument(object).toJson(QJsonDocument::Indented);
    } else {
        printReading(out, name, input.bornText, *reading);
        if (withTexts) {
            out << "\nTexts\n";
            for (const ReadingText &t : texts)
                out << "\n[" << TextTableName(t.table) << ' ' << t.numberId << "] " << t.title << '\n'
                    << t.text << '\n';
        }
    }
    return 0;
}

} // namespace quadrivium::cli
