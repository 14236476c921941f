#include "settingscommand.h"

#include "commandregistry.h"
#include "mainbar.h"
#include "mainframe.h"
#include "quickview.h"
#include "setupsheet.h"

#include "pages/biorhythmpage.h"
#include "pages/quadriviumdoc.h"
#include "store/letterrulessetting.h"

#include <algorithm>
#include <iterator>

namespace quadrivium {

CSettingsCommand::CSettingsCommand(CMainFrame &frame)
    : QObject(&frame)
    , m_frame(frame)
    , m_quickView(new CQuickView(frame.document(), &frame))
{
    frame.registry().add(kCmdSettings, tr("&Settings"));
    frame.registry().add(kCmdSettingsFromBiorhythm, tr("Settings"));
    frame.addDockWidget(Qt::RightDockWidgetArea, m_quickView);
    m_quickView->setVisible(frame.document().settings().value(DocumentSettings::QuickView) != 0);
}

bool CSettingsCommand::Run(int id)
{
    if (id == kCmdSettings) {
        openSheet(m_frame.document().currentCommand() == kBiorhythmPage);
        return true;
    }
    if (id == kCmdSettingsFromBiorhythm) {
        openSheet(true);
        return true;
    }
    return false;
}

void CSettingsCommand::openSheet(bool onBiorhythmPage)
{
    CQuadriviumDoc &doc = m_frame.document();
    // The sheet shows its changes at once; Cancel takes every one of them back.
    const DocumentSettings before = doc.settings();
    const bool shownBefore[3] = {doc.showPhysical, doc.showEmotional, doc.showIntellectual};
    CSetupSheet sheet(doc, onBiorhythmPage ? CSetupSheet::Biorhythm : CSetupSheet::General, &m_frame);
    connect(&sheet, &CSetupSheet::curvesChanged, this, &CSettingsCommand::curvesChanged);
    if (sheet.exec() != QDialog::Accepted) {
        std::copy(std::begin(before.current), std::end(before.current), doc.settings().current);
        doc.showPhysical = shownBefore[0];
        doc.showEmotional = shownBefore[1];
        doc.showIntellectual = shownBefore[2];
        curvesChanged();
        return;
    }
    DocumentSettings &s = doc.settings();
    s.set(DocumentSettings::QuickView, sheet.quickView() ? 1 : 0);
    s.set(DocumentSettings::Toolbars, sheet.defaultToolbars() ? 1 : 0);
    m_quickView->setVisible(sheet.quickView());
    m_frame.mainBar()->setFlat(sheet.defaultToolbars());
    // New rules are kept at once and every reading is counted again.
    if (sheet.letterRules() != doc.letterRules()) {
        SaveLetterRules(m_frame.settings(), sheet.letterRules());
        doc.setLetterRules(sheet.letterRules());
    }
    curvesChanged();
    if (auto *bio = qobject_cast<CBiorythmus *>(m_frame.page(kBiorhythmPage))) {
        bio->Evaluate();
        if (doc.currentCommand() == kBiorhythmPage)
            bio->showIntroduction();
    }
}

void CSettingsCommand::curvesChanged()
{
    if (auto *bio = qobject_cast<CBiorythmus *>(m_frame.page(kBiorhythmPage)))
        bio->graphControl()->update();
    m_quickView->Refresh();
}

} // namespace quadrivium
