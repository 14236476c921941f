#include "introprintjob.h"

#include "output/storedtext.h"
#include "store/connection.h"
#include "store/textstore.h"

namespace quadrivium {

CIntroPrintJob::CIntroPrintJob(const PrintSettings &settings, QString textDatabase)
    : CPrintJob(settings, 0), m_textDatabase(std::move(textDatabase))
{
}

void CIntroPrintJob::ComposeContent()
{
    const auto record = TextStore(m_textDatabase).read(0, 1);
    if (!record)
        throw DatabaseError(record.error());
    if (!*record)
        return; // nothing to print without the introduction text
    const TextRecord &r = **record;
    AddText(1, PlainTitle(r.title, r.text).trimmed());
    AddText(2, PlainBody(r.text));
}

} // namespace quadrivium
