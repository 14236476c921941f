#pragma once

#include "pagegeometry.h"
#include "pagerecorder.h"
#include "printsettings.h"

#include "store/result.h"

#include <QHash>
#include <QStringList>

#include <cstdint>

namespace quadrivium {

/// A printed report. A job composes its text into lines broken to the text
/// frame, lays them out on recorded pages with page numbers and a contents
/// page, and then draws page by page: the graphic page (when the report has
/// one) first, the text pages, the contents pages. A report adds its
/// content in ComposeContent and draws its graphic in PrintGraphicPage.
///
/// The line list holds printed lines and five tags, each a whole line:
/// "<TITLE>", "<TEXT>", "<SIGN>", "<ENTER>" and "<PAGEBREAK>".
class CPrintJob {
public:
    /// Layout stops at this page; the pages built so far are kept.
    static constexpr int kMaxPages = 800;

    /// `settings` gives the base font B and the margins; `options` is the
    /// report's options word.
    CPrintJob(const PrintSettings &settings, std::uint32_t options);
    virtual ~CPrintJob();
    CPrintJob(const CPrintJob &) = delete;
    CPrintJob &operator=(const CPrintJob &) = delete;

    /// Builds the pages for paper of `paper` (0.1 mm, portrait) printed on
    /// `sheet` (see ComputePageGeometry). Composes again only when the paper
    /// differs from the last run's. Fails, saying what to change, when the
    /// margins leave no room for the text frame; errors of the report's
    /// content (a database error) are raised as exceptions.
    Status Compose(QSize paper, QSize sheet = QSize());
    bool composed() const { return m_composed; }
    /// Pages of the report: graphic, text and contents pages.
    int pageCount() const { return m_pageCount; }
    int graphicPages() const { return m_graphicPages; }
    /// Draws page `page` (from 1) on `surface`; every page but the graphic
    /// page ends in the footer line.
    void PrintPage(CPrintSurface &surface, int page);
    /// Whether the report was cut at kMaxPages (or at what the recorder can
    /// hold): such a report is not printed, and the message for the user
    /// says what to change.
    bool truncated() const { return m_truncated; }
    QString truncationMessage() const;

    const QStringList &lines() const { return m_lines; }
    /// Title and page number (decimal text) in turn, one pair per title.
    const QStringList &contents() const { return m_contents; }
    const PageGeometry &geometry() const { return m_geometry; }
    const CPageRecorder &recorder() const { return m_recorder; }
    std::uint32_t options() const { return m_options; }
    const LogFont &baseFont() const { return m_base; }

    /// The report fonts: title four times B, text and sign 2.4 times B,
    /// page numbers Arial at the frame unit.
    QFont titleFont() const;
    QFont textFont() const;
    QFont signFont() const;
    QFont pageNumberFont() const;

    /// Appends one title or text to the line list, broken to the frame
    /// width: kind 1 title with a blank line after it, 2 body text, 3 sign
    /// lines, 4 title without the blank line. Line ends may be "\r\n", "\n"
    /// or "\r"; a paragraph that is exactly one tag becomes that tag.
    void AddText(int kind, const QString &text);

    /// One line 0.5 mm wide: style 0 solid, 1 dashed (2.5 mm dashes and
    /// gaps); any other style draws nothing.
    static void DrawPrintLine(CPrintSurface &surface, int x1, int y1, int x2, int y2, ColorRef colour, int style);
    /// The double frame about the text frame that a graphic page stands in.
    void DrawPageFrame(CPrintSurface &surface) const;

    /// What the report's file says of itself: its title and subject.
    virtual QString documentTitle() const { return {}; }
    virtual QString documentSubject() const { return {}; }
    /// The person the report is for, named in the footer (empty: nobody).
    virtual QString personName() const { return {}; }
    /// Who prepared the report: the "Prepared by" name of the settings, else
    /// the user's own full name.
    QString author() const;
    /// The footer line's two parts: the person's name and "page X of Y".
    QStringList footer(int page) const;

protected:
    /// Adds the report's texts with AddText; calls SetGraphicPage(true)
    /// when the report has a graphic page.
    virtual void ComposeContent() {}
    /// Draws the report graphic of page 1 (only called with a graphic page).
    virtual void PrintGraphicPage(CPrintSurface &surface);
    void SetGraphicPage(bool graphic) { m_graphicPages = graphic ? 1 : 0; }

private:
    void BeginJob(QSize paper, QSize sheet);
    void LayText();
    void LayContents();
    void EndJob();
    /// Starts the next page; false when the report is cut there.
    bool nextPage();
    void PrintFooter(CPrintSurface &surface, int page) const;
    /// Of a title at `title`: the height it needs with its blank line and
    /// the first two lines of the text it heads.
    int titleKeep(qsizetype title, int titleHeight, int textHeight) const;

    LogFont m_base;
    PaperMargins m_margins;
    QString m_preparedBy;
    std::uint32_t m_options;
    bool m_composed = false;
    QSize m_paper;
    QSize m_sheet;
    PageGeometry m_geometry;
    QStringList m_lines;
    QStringList m_contents;
    CPageRecorder m_recorder;
    CRecordedPage *m_current = nullptr;
    int m_graphicPages = 0;
    int m_pageCount = 0;
    bool m_truncated = false;
    /// Widths of the words laid so far, by font: reports repeat their words.
    QHash<QString, QHash<QString, qreal>> m_wordWidths;
};

} // namespace quadrivium
