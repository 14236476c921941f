#include "printjob.h"

#include "cellgrid.h"
#include "stringids.h"
#include "stringtable.h"

#include <QtMath>

#include <cmath>

namespace quadrivium {

namespace {

const QString kTitleTag = QStringLiteral("<TITLE>");
const QString kTextTag = QStringLiteral("<TEXT>");
const QString kSignTag = QStringLiteral("<SIGN>");
const QString kEnterTag = QStringLiteral("<ENTER>");
const QString kPageBreakTag = QStringLiteral("<PAGEBREAK>");

bool isTag(const QString &line)
{
    return line == kTitleTag || line == kTextTag || line == kSignTag || line == kEnterTag || line == kPageBreakTag;
}

} // namespace

CPrintJob::CPrintJob(const PrintSettings &settings, std::uint32_t options)
    : m_base(settings.font), m_margins(settings.margins), m_preparedBy(settings.preparedBy), m_options(options)
{
}

QString CPrintJob::author() const
{
    return ReportAuthor(m_preparedBy);
}

CPrintJob::~CPrintJob() = default;

QFont CPrintJob::titleFont() const
{
    return m_base.withHeight(MulDiv(m_base.height, 240, 60)).toFont();
}

QFont CPrintJob::textFont() const
{
    return m_base.withHeight(MulDiv(m_base.height, 24, 10)).toFont();
}

QFont CPrintJob::signFont() const
{
    LogFont sign;
    sign.face = QStringLiteral("Velmora Font2000");
    sign.height = MulDiv(m_base.height, 24, 10);
    sign.weight = m_base.weight;
    sign.italic = m_base.italic;
    return sign.toFont();
}

QFont CPrintJob::pageNumberFont() const
{
    LogFont number;
    number.face = QStringLiteral("Arial");
    number.height = -m_geometry.u;
    number.charSet = 0;
    number.pitchAndFamily = 0x20;
    return number.toFont();
}

Status CPrintJob::Compose(QSize paper, QSize sheet)
{
    if (m_composed && paper == m_paper && sheet == m_sheet)
        return Done{};
    if (ComputePageGeometry(paper, m_margins, sheet).u < 1) {
        const QSize shown = sheet.isValid() ? sheet : paper;
        return Status::failure(QStringLiteral("The margins leave no room for the report on this paper (%1 × %2 mm). "
                                              "Please choose smaller margins or a larger paper.")
                                   .arg(shown.width() / 10.0)
                                   .arg(shown.height() / 10.0));
    }
    m_composed = false;
    m_paper = paper;
    m_sheet = sheet;
    BeginJob(paper, sheet);
    m_pageCount = 0;
    m_graphicPages = 0;
    ComposeContent();
    m_pageCount += m_graphicPages;
    if (!m_lines.isEmpty())
        LayText();
    if (!m_contents.isEmpty() && !m_truncated)
        LayContents();
    EndJob();
    m_composed = true;
    return Done{};
}

void CPrintJob::BeginJob(QSize paper, QSize sheet)
{
    m_geometry = ComputePageGeometry(paper, m_margins, sheet);
    m_recorder.Reset();
    m_current = m_recorder.Open();
    m_contents.clear();
    m_lines.clear();
    m_graphicPages = 0;
    m_truncated = false;
}

void CPrintJob::EndJob()
{
    m_recorder.Close();
    m_current = nullptr;
}

void CPrintJob::AddText(int kind, const QString &input)
{
    const QFont font = kind == 2 ? textFont() : kind == 3 ? signFont() : titleFont();
    if (kind == 1 || kind == 4)
        m_lines.append(kTitleTag);
    else if (kind == 2)
        m_lines.append(kTextTag);
    else if (kind == 3)
        m_lines.append(kSignTag);

    // One form of line end; line ends at the very end add nothing.
    QString text = input;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    while (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    text += QLatin1String("\r\n");

    const int maxWidth = m_geometry.frameRight - m_geometry.frameLeft;
    const TextMeasure measure(font);
    QHash<QString, qreal> &widths = m_wordWidths[font.key()];
    QString line;
    qreal lineWidth = 0;
    // A word that does not fit on the line starts the next one; a word
    // wider than the frame stands alone on its line. Words are measured
    // alone: their widths add up to the line's.
    const auto addWord = [&](const QString &word) {
        auto known = widths.constFind(word);
        if (known == widths.constEnd())
            known = widths.insert(word, measure.advance(word));
        const qreal wordWidth = *known;
        if (!line.isEmpty() && qCeil(lineWidth + wordWidth) > maxWidth) {
            m_lines.append(line);
            line.clear();
            lineWidth = 0;
        }
        line += word;
        lineWidth += wordWidth;
    };
    const qsizetype length = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char(' ')) {
            addWord(text.mid(start, i - start + 1));
            start = i + 1;
        } else if (c == QLatin1Char('\r')) {
            addWord(text.mid(start, i - start));
            m_lines.append(line);
            line.clear();
            lineWidth = 0;
            if (i + 3 < length && text.at(i + 2) == QLatin1Char('\r')) {
                // An empty line follows.
                m_lines.append(kEnterTag);
                start = i + 4;
            } else {
                start = i + 2;
            }
            if (i + 3 >= length)
                break;
            i = start - 1;
        }
    }
    if (kind >= 1 && kind <= 3)
        m_lines.append(kEnterTag);
}

bool CPrintJob::nextPage()
{
    m_current = m_recorder.NewPage();
    ++m_pageCount;
    if (!m_current || m_pageCount > kMaxPages) {
        --m_pageCount;
        m_truncated = true;
        return false;
    }
    return true;
}

int CPrintJob::titleKeep(qsizetype title, int titleHeight, int textHeight) const
{
    qsizetype i = title + 1;
    int need = 0;
    for (; i < m_lines.size() && !isTag(m_lines.at(i)); ++i)
        need += titleHeight;
    if (i < m_lines.size() && m_lines.at(i) == kEnterTag) {
        need += titleHeight;
        ++i;
    }
    if (i < m_lines.size() && m_lines.at(i) == kTextTag) {
        int lines = 0;
        for (++i; i < m_lines.size() && !isTag(m_lines.at(i)) && lines < 2; ++i)
            ++lines;
        need += lines * textHeight;
    }
    return need;
}

void CPrintJob::LayText()
{
    const PageGeometry &g = m_geometry;
    const int room = g.frameBottom - g.frameTop;
    const int frameWidth = g.frameRight - g.frameLeft;
    const QFont fonts[] = {titleFont(), textFont(), signFont()};
    const TextMeasure measures[] = {TextMeasure(fonts[0]), TextMeasure(fonts[1]), TextMeasure(fonts[2])};
    enum { Title, Text, Sign };
    int font = Title;
    int y = 0;
    bool centred = false;
    bool titleMode = false;
    bool pendingTitle = true;
    bool breakPending = false;
    // A paragraph is a run of printed lines between tags. Where one is cut
    // by the end of a page, at least two of its lines stay together on
    // either side; breakAt is the line that starts the next page.
    qsizetype runEnd = 0;
    qsizetype breakAt = -1;
    bool planned = false;
    QString title;
    ++m_pageCount; // the page opened by BeginJob

    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString &line = m_lines.at(i);
        const int h = measures[font].height();
        if (line == kEnterTag) {
            if (y != 0)
                y -= h;
        } else if (line == kTitleTag) {
            font = Title;
            title = i + 1 < m_lines.size() ? m_lines.at(i + 1) : QString();
            for (qsizetype j = i + 2; j < m_lines.size() && !isTag(m_lines.at(j)); ++j) {
                if (!title.endsWith(QLatin1Char(' ')))
                    title += QLatin1Char(' ');
                title += m_lines.at(j);
            }
            // A title never ends a page: it goes with the beginning of its text.
            if (y != 0 && y - titleKeep(i, measures[Title].height(), measures[Text].height()) < room)
                breakPending = true;
            centred = titleMode = true;
            pendingTitle = true;
        } else if (line == kSignTag) {
            font = Sign;
            centred = true;
            titleMode = false;
        } else if (line == kTextTag) {
            font = Text;
            centred = titleMode = false;
        } else if (line == kPageBreakTag) {
            breakPending = true;
        } else {
            if (i >= runEnd) {
                runEnd = i;
                while (runEnd < m_lines.size() && !isTag(m_lines.at(runEnd)))
                    ++runEnd;
                planned = false;
            }
            // How much of the paragraph this page takes: never its first line
            // alone at the foot, never its last line alone on the next page.
            const auto plan = [&] {
                planned = true;
                breakAt = -1;
                const qsizetype left = runEnd - i;
                qsizetype fits = h > 0 ? qsizetype((y - room) / h) : left;
                if (fits >= left)
                    return;
                if (left - fits == 1)
                    --fits;
                if (fits == 1 && (i == 0 || isTag(m_lines.at(i - 1))))
                    fits = 0;
                if (fits > 0)
                    breakAt = i + fits;
                else if (y != 0)
                    breakPending = true;
            };
            if (!planned && !titleMode)
                plan();
            if (breakPending || i == breakAt || y - h < room) {
                breakPending = false;
                if (!nextPage())
                    return;
                y = 0;
                if (!titleMode)
                    plan();
            }
            const int x = centred ? g.frameLeft + frameWidth / 2 - measures[font].width(line) / 2 : g.frameLeft;
            if (titleMode && pendingTitle) {
                m_contents << title.trimmed() << QString::number(m_pageCount);
                pendingTitle = false;
            }
            m_current->drawText(QPoint(x, g.frameTop + y), line, fonts[font], 0);
            y -= h;
        }
    }
}

void CPrintJob::LayContents()
{
    const PageGeometry &g = m_geometry;
    const int room = g.frameBottom - g.frameTop;
    const int frameWidth = g.frameRight - g.frameLeft;
    if (!nextPage())
        return;
    const QFont title = titleFont();
    const QString heading = LoadString(kStrContent);
    const QSize headingSize = TextExtent(title, heading);
    m_current->drawText(QPoint(g.frameLeft + frameWidth / 2 - headingSize.width() / 2, g.frameTop), heading, title, 0);
    int y = -headingSize.height();

    const QFont text = textFont();
    for (qsizetype i = 0; i + 1 < m_contents.size(); i += 2) {
        const QString &number = m_contents.at(i + 1);
        const int numberWidth = TextExtent(text, number).width();
        const int h = TextExtent(text, m_contents.at(i)).height();
        if (y - h < room) {
            if (!nextPage())
                return;
            y = 0;
        }
        // A title too long for the line is shortened so that it never runs
        // into its page number.
        QString entry = m_contents.at(i);
        const int space = frameWidth - numberWidth - TextExtent(text, QStringLiteral("  ")).width();
        while (entry.size() > 1 && TextExtent(text, entry).width() > space)
            entry = entry.left(entry.size() - 2) + QChar(0x2026);
        m_current->drawText(QPoint(g.frameLeft, g.frameTop + y), entry, text, 0);
        m_current->drawText(QPoint(g.frameRight - numberWidth, g.frameTop + y), number, text, 0);
        y -= h;
    }
}

QStringList CPrintJob::footer(int page) const
{
    return {personName(), QStringLiteral("page %1 of %2").arg(page).arg(m_pageCount)};
}

void CPrintJob::PrintFooter(CPrintSurface &surface, int page) const
{
    const QFont font = pageNumberFont();
    const QStringList parts = footer(page);
    const PageGeometry &g = m_geometry;
    const int top = g.frameBottom - g.u;
    // The name is shortened before it could reach the page number.
    const int numberWidth = TextExtent(font, parts[1]).width();
    QString name = parts[0];
    const int space = g.frameRight - g.frameLeft - numberWidth - 2 * g.u;
    while (name.size() > 1 && TextExtent(font, name).width() > space)
        name = name.left(name.size() - 2) + QChar(0x2026);
    if (!name.isEmpty())
        surface.drawText(QPoint(g.frameLeft, top), name, font, 0);
    surface.drawText(QPoint(g.frameRight - numberWidth, top), parts[1], font, 0);
}

void CPrintJob::PrintPage(CPrintSurface &surface, int page)
{
    const int k = page - m_graphicPages - 1;
    if (k >= 0) {
        if (const CRecordedPage *recorded = m_recorder.Page(k)) {
            recorded->Play(surface);
            PrintFooter(surface, page);
        }
    } else if (page == 1) {
        PrintGraphicPage(surface);
    }
}

void CPrintJob::PrintGraphicPage(CPrintSurface &) {}

QString CPrintJob::truncationMessage() const
{
    return m_truncated ? QStringLiteral("The report would need more than %1 pages on this paper. Please choose a "
                                        "larger paper, smaller margins or a smaller printer font.")
                             .arg(kMaxPages)
                       : QString();
}

void CPrintJob::DrawPrintLine(CPrintSurface &surface, int x1, int y1, int x2, int y2, ColorRef colour, int style)
{
    colour = PrintColor(colour, surface.colorCount());
    if (style == 0) {
        surface.drawLine(QPoint(x1, y1), QPoint(x2, y2), colour, 5);
        return;
    }
    if (style != 1)
        return;
    const double angle = std::atan2(double(y2 - y1), double(x2 - x1));
    const double length = std::hypot(double(x2 - x1), double(y2 - y1));
    QPoint start;
    bool starting = true;
    for (int d = 0; d < length; d += 25) {
        const QPoint point(x1 + int(std::ceil(d * std::cos(angle))), y1 + int(std::ceil(d * std::sin(angle))));
        if (!starting)
            surface.drawLine(start, point, colour, 5);
        start = point;
        starting = !starting;
    }
}

void CPrintJob::DrawPageFrame(CPrintSurface &surface) const
{
    const PageGeometry &g = m_geometry;
    CCellGrid grid(surface);
    grid.SetColumns(60);
    grid.SetRows(88);
    grid.SetAllColumnWidths(g.u);
    grid.SetAllRowHeights(g.u);
    grid.SetPaddings(g.p1, g.p1 / 2);
    grid.SetFrameDistance(g.p2);
    grid.SetAllFlags(7700);
    grid.SetGridFlags(CCellGrid::DrawOuterFrame);
    grid.SetOrigin(g.frameLeft, g.frameTop);
    grid.Draw();
}

} // namespace quadrivium
