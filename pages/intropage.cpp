#include "intropage.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPalette>
#include <QVBoxLayout>

namespace quadrivium {

CIntro::CIntro(QWidget *parent)
    : QWidget(parent)
    , m_open(new QAction(tr("O&pen..."), this))
    , m_note(new QLabel(this))
{
    setObjectName(QStringLiteral("introPage"));
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(p);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window); // not the role of the view it stands in
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_open->setObjectName(QStringLiteral("cmd%1").arg(kOpenCommand));
    connect(m_open, &QAction::triggered, this, &CIntro::openRequested);
    addAction(m_open);

    // Black on the grey surface: white would be too faint to read comfortably.
    m_note->setObjectName(QStringLiteral("introNote"));
    m_note->setText(
        tr("<p><b>Welcome to Quadrivium.</b></p>"
           "<p>To begin, choose a person with <b>Open...</b> (Ctrl+O) or from the person list on the "
           "toolbar, or add one with <b>New</b> (Ctrl+N); their birth chart opens at once.</p>"
           "<p>The text below introduces numerology to the person you read for. <b>Print...</b> "
           "(Ctrl+P) and <b>Export as PDF...</b> in the File menu give it to them as it stands.</p>"
           "<p><b>Help Topics</b> (F1) explains every page and command.</p>"));
    m_note->setTextFormat(Qt::RichText);
    m_note->setWordWrap(true);
    m_note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette text = m_note->palette();
    text.setColor(QPalette::WindowText, Qt::black);
    m_note->setPalette(text);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(m_note);
    layout->addStretch(1);
}

void CIntro::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addAction(m_open);
    menu.exec(event->globalPos());
}

} // namespace quadrivium
