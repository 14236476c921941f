#pragma once

#include "output/printjob.h"

#include <QString>

namespace quadrivium {

/// A text as it is printed: a plain title and a plain body.
struct PrintedText {
    QString title;
    QString body;
};

/// A report of one text, title and body, without graphic page and
/// options: the program's opening introduction (record 1 of the
/// introduction texts), or a text given as it stands.
class CIntroPrintJob : public CPrintJob {
public:
    /// The introduction; `textDatabase` is the text database file to read from.
    CIntroPrintJob(const PrintSettings &settings, QString textDatabase);
    /// `text` itself; an empty title is left out.
    CIntroPrintJob(const PrintSettings &settings, PrintedText text);

    /// The printed text's title.
    QString documentTitle() const override { return m_text.title; }

protected:
    /// Raises DatabaseError when the text database cannot be read.
    void ComposeContent() override;

private:
    QString m_textDatabase; ///< empty: m_text is printed
    PrintedText m_text;
};

} // namespace quadrivium
