#include "storedtext.h"

#include "rtfreader.h"

namespace quadrivium {

bool IsRichText(const QString &stored)
{
    return stored.startsWith(u'{');
}

QString RtfToPlainText(const QString &rtf)
{
    return rtfToPlain(rtf);
}

QString PlainTitle(const QString &title, const QString &text)
{
    return IsRichText(text) ? RtfToPlainText(title) : title;
}

QString PlainBody(const QString &text)
{
    return IsRichText(text) ? RtfToPlainText(text) : text;
}

} // namespace quadrivium
