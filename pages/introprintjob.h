#pragma once

#include "output/printjob.h"

#include <QString>

namespace quadrivium {

/// The introduction report: the title and text of the program's opening
/// introduction (record 1 of the introduction texts). It has no graphic
/// page and no options.
class CIntroPrintJob : public CPrintJob {
public:
    /// `textDatabase` is the text database file to read from.
    CIntroPrintJob(const PrintSettings &settings, QString textDatabase);

protected:
    /// Raises DatabaseError when the text database cannot be read.
    void ComposeContent() override;

private:
    QString m_textDatabase;
};

} // namespace quadrivium
