#include "readingkind.h"

#include "biorhythmpage.h"
#include "biorhythmprintjob.h"
#include "chartpage.h"
#include "chartprintjob.h"
#include "forecastpage.h"
#include "forecastprintjob.h"
#include "forecastreading.h"
#include "compatibilitypage.h"
#include "compatibilityprintjob.h"
#include "pyramidpage.h"
#include "pyramidprintjob.h"
#include "quadriviumdoc.h"

#include "output/stringids.h"
#include "store/letterrulessetting.h"
#include "output/stringtable.h"

#include <QObject>

namespace quadrivium {

namespace {

template<typename Page>
std::function<CReadingPage *(CQuadriviumDoc &, QWidget *)> page()
{
    return [](CQuadriviumDoc &document, QWidget *parent) -> CReadingPage * { return new Page(document, parent); };
}

template<typename Job>
auto report()
{
    return [](const PrintSettings &settings, std::uint32_t options, ReportSubject subject,
              const QString &textDatabase) -> std::unique_ptr<CReadingPrintJob> {
        return std::make_unique<Job>(settings, options, std::move(subject), textDatabase);
    };
}

ReadingKind chart()
{
    ReadingKind k;
    k.name = QStringLiteral("chart");
    k.command = kBirthChartPage;
    k.makePage = page<CChart>();
    k.printOptions = ChartPrintOptions;
    k.makeReport = report<CChartPrintJob>();
    k.exportSections = {QStringLiteral("intro"), QStringLiteral("numbers"), QStringLiteral("lines"),
                        QStringLiteral("ruling"), QStringLiteral("day"), QStringLiteral("fate"),
                        QStringLiteral("appearance"), QStringLiteral("dominant"), QStringLiteral("personal-year")};
    k.exportBoxes = {{QObject::tr("Introduction"), 1091},
                     {QObject::tr("The Numbers"), 1092},
                     {QObject::tr("Lines"), 1093},
                     {QObject::tr("Ruling Number"), 1095},
                     {QObject::tr("Day Number"), 1096},
                     {QObject::tr("Number of Fate"), 1097},
                     {QObject::tr("Number of Appearance"), 1098},
                     {QObject::tr("Dominant Name Number"), 1099},
                     {QObject::tr("Personal Current Year Number"), 1100}};
    k.exportValueName = QStringLiteral("ExportChartDialogOptions");
    k.exportRecords = [](const ReportSubject &s, std::uint32_t sections) {
        return ChartExportRecords(s.values, sections);
    };
    // The chart names the letters not counted, why a Number of Fate is
    // missing and the rules it was counted by.
    k.headingNotes = [](const ReportSubject &s) {
        return ChartNotes(s.name, s.values.numbers.core.m_bNoFate, s.values.rules);
    };
    k.exportFileName = LoadString(kStrChartFileName);
    return k;
}

ReadingKind pyramid()
{
    ReadingKind k;
    k.name = QStringLiteral("pyramid");
    k.command = kPyramidPage;
    k.makePage = page<CPyramide>();
    k.printOptions = PyramidPrintOptions;
    k.makeReport = report<CPyramidPrintJob>();
    k.exportSections = {QStringLiteral("intro"), QStringLiteral("numbers")};
    k.exportBoxes = {{QObject::tr("Introduction"), 1091}, {QObject::tr("Numbers"), 1104}};
    k.exportValueName = QStringLiteral("ExportPyramideDialogOptions");
    k.exportRecords = [](const ReportSubject &s, std::uint32_t sections) {
        return PyramidExportRecords(s.values, sections);
    };
    k.exportFileName = LoadString(kStrPyramidFileName);
    return k;
}

ReadingKind biorhythm()
{
    ReadingKind k;
    k.name = QStringLiteral("biorhythm");
    k.command = kBiorhythmPage;
    k.makePage = page<CBiorythmus>();
    k.printOptions = BiorhythmPrintOptions;
    k.makeReport = report<CBiorhythmPrintJob>();
    k.exportSections = {QStringLiteral("intro"), QStringLiteral("physical"), QStringLiteral("emotional"),
                        QStringLiteral("intellectual")};
    // The emotional curve's section had the name of its label first.
    k.sectionAliases = {{QStringLiteral("spiritual"), QStringLiteral("emotional")}};
    k.exportBoxes = {{QObject::tr("Introduction"), 1091},
                     {QObject::tr("The Physical Curve"), 1101},
                     {QObject::tr("The Spiritual Curve"), 1102},
                     {QObject::tr("The Intellectual Curve"), 1103}};
    k.exportValueName = QStringLiteral("ExportBiorytmusDialogOptions");
    k.exportRecords = [](const ReportSubject &s, std::uint32_t sections) {
        // A curve switched off has no text.
        Reading values = s.values;
        for (std::size_t curve = 0; curve < 3; ++curve) {
            if (s.dashRun[curve] < 0)
                values.curveClass[curve] = 0;
        }
        return BiorhythmExportRecords(values, sections);
    };
    k.exportFileName = LoadString(kStrBiorhythmFileName);
    return k;
}

ReadingKind forecast()
{
    ReadingKind k;
    k.name = QStringLiteral("forecast");
    k.command = kForecastPage;
    k.makePage = page<CForecastPage>();
    k.printOptions = ForecastPrintOptions;
    k.makeReport = report<CForecastPrintJob>();
    k.exportSections = ForecastSections();
    k.exportBoxes = {{QObject::tr("Introduction"), 1091},   {QObject::tr("Personal Year"), 1105},
                     {QObject::tr("Personal Month"), 1106}, {QObject::tr("Personal Day"), 1107},
                     {QObject::tr("Challenges"), 1108},     {QObject::tr("Karmic Lessons"), 1109}};
    k.exportValueName = QStringLiteral("ExportForecastDialogOptions");
    k.exportRecords = [](const ReportSubject &s, std::uint32_t sections) {
        const auto forecast = ForecastOf(s);
        return forecast ? ForecastExportRecords(*forecast, sections) : std::vector<ExportRecord>{};
    };
    // The karmic lessons depend on the letters counted.
    k.headingNotes = [](const ReportSubject &s) { return ChartNotes(s.name, false, s.values.rules); };
    k.exportFileName = QStringLiteral("Forecast.rtf");
    k.commandSummary = QStringLiteral("the forecast of one person for a day");
    k.json = [](const ReportSubject &s) {
        const auto forecast = ForecastOf(s);
        return forecast ? ForecastJson(*forecast) : QJsonObject{};
    };
    k.plainText = [](const ReportSubject &s) {
        const auto forecast = ForecastOf(s);
        return forecast ? ForecastText(*forecast, s.name, s.birth) : QString();
    };
    return k;
}

ReadingKind compatibility()
{
    ReadingKind k;
    k.name = QStringLiteral("compatibility");
    k.command = kCompatibilityPage;
    k.needsPartner = true;
    k.makePage = page<CCompatibilityPage>();
    k.printOptions = CompatibilityPrintOptions;
    k.makeReport = report<CCompatibilityPrintJob>();
    k.exportSections = {QStringLiteral("intro"), QStringLiteral("numbers"), QStringLiteral("lines")};
    k.exportBoxes = {{QObject::tr("Introduction"), 1091}, {QObject::tr("Numbers"), 1104}, {QObject::tr("Lines"), 1093}};
    k.exportValueName = QStringLiteral("ExportCompatibilityDialogOptions");
    k.exportRecords = [](const ReportSubject &s, std::uint32_t sections) {
        const auto c = CompatibilityOf(s);
        return c ? CompatibilityExportRecords(*c, sections) : std::vector<ExportRecord>{};
    };
    k.headingNotes = CompatibilityNotes;
    k.exportFileName = QObject::tr("Compatibility.rtf");
    return k;
}

} // namespace

const std::vector<ReadingKind> &ReadingKinds()
{
    static const std::vector<ReadingKind> kinds{chart(), pyramid(), biorhythm(), forecast(), compatibility()};
    return kinds;
}

const ReadingKind *ReadingKindOf(int command)
{
    for (const ReadingKind &kind : ReadingKinds()) {
        if (kind.command == command)
            return &kind;
    }
    return nullptr;
}

const ReadingKind *ReadingKindNamed(const QString &name)
{
    for (const ReadingKind &kind : ReadingKinds()) {
        if (kind.name == name)
            return &kind;
    }
    return nullptr;
}

QStringList ReadingKindNames()
{
    QStringList names;
    for (const ReadingKind &kind : ReadingKinds())
        names << kind.name;
    return names;
}

QString ReadingKind::canonicalSection(const QString &name) const
{
    for (const auto &[alias, section] : sectionAliases) {
        if (name == alias)
            return section;
    }
    return name;
}

OptionsDialogForm ReadingKind::exportOptions() const
{
    OptionsDialogForm form;
    form.title = QObject::tr("Export");
    form.valueName = exportValueName;
    for (int i = 0; i < exportBoxes.size(); ++i)
        form.boxes.append(OptionBox{1U << i, exportBoxes[i].first, exportBoxes[i].second});
    form.mask = allSections();
    return form;
}

std::optional<std::uint32_t> ReadingKind::sectionBits(const QString &list, QString *error) const
{
    if (list.trimmed() == QLatin1String("all"))
        return allSections();
    std::uint32_t bits = 0;
    for (const QString &part : list.split(QLatin1Char(','))) {
        const QString section = canonicalSection(part.trimmed());
        const int bit = int(exportSections.indexOf(section));
        if (bit < 0) {
            *error = QStringLiteral("unknown section \"%1\"; this reading has: all, %2")
                         .arg(part.trimmed(), exportSections.join(QStringLiteral(", ")));
            return std::nullopt;
        }
        bits |= 1U << bit;
    }
    return bits;
}

std::optional<std::uint32_t> ReadingKind::reportOptions(const QString &list, QString *error) const
{
    const OptionsDialogForm form = printOptions();
    if (list.trimmed() == QLatin1String("all"))
        return form.mask;
    const QStringList names = QStringList{QStringLiteral("graphic")} + exportSections;
    std::uint32_t word = 0;
    for (const QString &part : list.split(QLatin1Char(','))) {
        const QString section = canonicalSection(part.trimmed());
        const int index = int(names.indexOf(section));
        if (index < 0 || index >= form.boxes.size()) {
            *error = QStringLiteral("--sections: unknown section \"%1\"; this report has: all, %2")
                         .arg(part.trimmed(), names.join(QStringLiteral(", ")));
            return std::nullopt;
        }
        word |= form.boxes[index].bit;
    }
    return word;
}

} // namespace quadrivium
