#pragma once

#include <QDockWidget>

class QLabel;

namespace quadrivium {

class CQuadriviumDoc;

/// The quick view: a small pane beside the pages that sums up the current
/// person at a glance: name, date of birth, Ruling Number, Day Number,
/// Number of Fate and the state of the shown biorhythm curves on the
/// chosen day. It follows every change of person and day.
class CQuickView : public QDockWidget {
    Q_OBJECT
public:
    explicit CQuickView(const CQuadriviumDoc &document, QWidget *parent = nullptr);

    /// The summary as shown.
    QString summary() const;
    /// Brings the summary up to date with the document.
    void Refresh();

private:
    const CQuadriviumDoc &m_document;
    QLabel *m_text;
};

} // namespace quadrivium
