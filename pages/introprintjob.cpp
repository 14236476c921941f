#include "introprintjob.h"

#include "output/storedtext.h"
#include "store/connection.h"
#include "store/textstore.h"

namespace quadrivium {

CIntroPrintJob::CIntroPrintJob(const PrintSettings &settings, QString textDatabase)
    : CPrintJob(settings, 0), m_textDatabase(std::move(textDatabase))
{
}

CIntroPrintJob::CIntroPrintJob(const PrintSettings &settings, PrintedText text)
    : CPrintJob(settings, 0), m_text(std::move(text))
{
}

void CIntroPrintJob::ComposeContent()
{
    if (!m_textDatabase.isEmpty()) {
        const auto record = TextStore(m_textDatabase).read(0, 1);
        if (!record)
            throw DatabaseError(record.error());
        if (!*record)
            return; // nothing to print without the introduction text
        const TextRecord &r = **record;
        m_text = PrintedText{PlainTitle(r.title, r.text).trimmed(), PlainBody(r.text)};
    }
    // A blank title would stand in the contents as an empty entry.
    if (!m_text.title.isEmpty())
        AddText(1, m_text.title);
    AddText(2, m_text.body);
}

} // namespace quadrivium
