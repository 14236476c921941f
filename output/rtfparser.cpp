#include "rtfparser.h"

#include "rtfcodepage.h"
#include "rtftokenizer.h"

#include <QStringDecoder>

#include <algorithm>
#include <map>
#include <vector>

namespace quadrivium {

namespace {

enum class Destination {
    Text,       // visible text
    Skip,       // everything up to the end of the group is dropped
    FontTable,  // \fonttbl
    ColorTable, // \colortbl
    Upr,        // \upr: the ANSI alternative is dropped, its \*\ud is read
};

struct GroupState {
    Destination destination = Destination::Text;
    int font = -1; // -1: the default font (\deff)
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool hidden = false;
    int color = -1; // -1: automatic until a \cf names an entry
    RtfParagraphFormat paragraph;
    int unicodeSkip = 1; // \ucN
};

struct FontEntry {
    QString name;
    int charset = 0;
    int codepage = 0; // \cpgN, 0: by charset
};

// Words that open a destination whose content is never shown.
constexpr std::string_view kSkippedDestinations[] = {
    "annotation", "author", "bkmkend", "bkmkstart", "buptim", "colorschememapping", "comment",
    "company", "creatim", "datastore", "doccomm", "falt", "fldinst", "filetbl", "footer",
    "footerf", "footerl", "footerr", "footnote", "generator", "header", "headerf", "headerl",
    "headerr", "info", "keywords", "latentstyles", "listoverridetable", "listtable",
    "listtext", "mmathPr", "nonshppict", "object", "operator", "panose", "pict", "pn",
    "pntext", "pntxta", "pntxtb", "printim", "private", "revtbl", "revtim", "rsidtbl", "shp",
    "shpinst", "stylesheet", "subject", "tc", "template", "themedata", "title", "txe",
    "userprops", "xe", "xmlnstbl"};

bool isSkippedDestination(QByteArrayView word)
{
    const std::string_view w(word.data(), size_t(word.size()));
    return std::find(std::begin(kSkippedDestinations), std::end(kSkippedDestinations), w)
        != std::end(kSkippedDestinations);
}

// Characters of symbols and words that stand for one character.
char16_t namedCharacter(QByteArrayView word)
{
    struct Named {
        std::string_view word;
        char16_t character;
    };
    static constexpr Named kNamed[] = {
        {"lquote", 0x2018}, {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D},
        {"emdash", 0x2014}, {"endash", 0x2013}, {"bullet", 0x2022}, {"emspace", 0x2003},
        {"enspace", 0x2002}, {"qmspace", 0x2005}, {"zwj", 0x200D}, {"zwnj", 0x200C},
        {"zwbo", 0x200B}, {"ltrmark", 0x200E}, {"rtlmark", 0x200F}, {"tab", u'\t'},
        {"cell", u'\t'}, {"nestcell", u'\t'}, {"line", 0x2028}};
    const std::string_view w(word.data(), size_t(word.size()));
    for (const Named &n : kNamed) {
        if (n.word == w)
            return n.character;
    }
    return 0;
}

class Parser {
public:
    Parser(RtfSink &sink, const RtfLimits &limits) : m_sink(sink), m_limits(limits) {}

    void run(QByteArrayView rtf);

private:
    GroupState &state() { return m_stack.back(); }
    void handleWord(const RtfToken &token);
    /// Words of the document header and of Unicode text; true when taken.
    bool headerWord(QByteArrayView word, const RtfToken &token);
    void colorTableWord(QByteArrayView word, int param);
    /// Words that open a destination; true when taken.
    bool destinationWord(QByteArrayView word);
    void formatWord(QByteArrayView word, const RtfToken &token);
    /// The page words of the document; true when taken.
    bool pageWord(QByteArrayView word, int param);
    void handleSymbol(char symbol);
    void handleText(QByteArrayView bytes);
    void handleCodeUnit(int code);
    void emitCharacter(char16_t ch);
    void emitCharacters(QStringView chars);
    void appendBytes(QByteArrayView bytes);
    void flushBytes();
    void flushText();
    void emitPendingParagraph();
    void endParagraph();
    void fontTableWord(QByteArrayView word, const RtfToken &token);
    void endFontEntry();
    RtfRunFormat resolvedFormat() const;
    int currentCodepage() const;
    const FontEntry *fontFor(int index) const;

    RtfSink &m_sink;
    RtfLimits m_limits;
    std::vector<GroupState> m_stack;
    int m_overflowDepth = 0; // groups opened beyond the depth limit

    int m_ansiCodepage = kCp1252;
    int m_defaultFont = 0;
    std::map<int, FontEntry> m_fonts;
    int m_fontEntry = -1;    // the font table entry being read
    size_t m_fontEntryDepth = 0; // the group depth at which it began
    FontEntry m_pendingFont; // its charset and name so far
    std::vector<std::optional<QRgb>> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;

    bool m_ignorableNext = false; // the group opened with \*
    int m_skipCount = 0;          // fallback characters still to drop after \uN
    char16_t m_highSurrogate = 0;
    QByteArray m_bytes;           // bytes awaiting decoding by the current font's code page
    QString m_run;                // decoded text in the format m_runFormat
    RtfRunFormat m_runFormat;
    std::optional<RtfParagraphFormat> m_pendingParagraph;
    RtfParagraphFormat m_closingParagraph; // when the outermost group closed
    RtfPageSetup m_page;
    bool m_pageNamed = false;
    RtfRunFormat m_closingFormat;
    RtfRunFormat m_pendingMarkFormat;
};

void Parser::run(QByteArrayView rtf)
{
    m_stack.reserve(size_t(m_limits.maxGroupDepth) + 2);
    m_stack.push_back(GroupState());
    RtfTokenizer tokenizer(rtf);
    bool started = false;
    for (RtfToken token = tokenizer.next(); token.kind != RtfToken::Kind::End; token = tokenizer.next()) {
        using Kind = RtfToken::Kind;
        if (token.kind == Kind::GroupStart) {
            flushText();
            m_skipCount = 0;
            if (m_overflowDepth > 0 || int(m_stack.size()) > m_limits.maxGroupDepth) {
                ++m_overflowDepth;
                continue;
            }
            GroupState inner = state();
            m_stack.push_back(inner);
            started = true;
            m_ignorableNext = false;
            continue;
        }
        if (token.kind == Kind::GroupEnd) {
            flushText();
            m_skipCount = 0;
            m_ignorableNext = false;
            if (m_overflowDepth > 0) {
                --m_overflowDepth;
                continue;
            }
            if (state().destination == Destination::FontTable && m_stack.size() <= m_fontEntryDepth)
                endFontEntry();
            if (m_stack.size() == 2) {
                m_closingParagraph = state().paragraph;
                m_closingFormat = resolvedFormat();
            }
            if (m_stack.size() > 1)
                m_stack.pop_back();
            if (m_stack.size() == 1 && started)
                break; // the outermost group is closed: the rest is not RTF
            continue;
        }
        if (m_overflowDepth > 0)
            continue;

        // Fallback characters of a \uN are dropped, each counting as one.
        if (m_skipCount > 0 && token.kind != Kind::Text) {
            --m_skipCount;
            continue;
        }
        switch (token.kind) {
        case Kind::ControlWord:
            handleWord(token);
            break;
        case Kind::ControlSymbol:
            handleSymbol(token.symbol);
            break;
        case Kind::HexByte: {
            const char b = char(token.byte);
            if (state().destination == Destination::Text || state().destination == Destination::FontTable)
                appendBytes(QByteArrayView(&b, 1));
            break;
        }
        case Kind::Text:
            handleText(token.word);
            break;
        default: // Binary data is never text
            break;
        }
    }
    flushText();
    if (m_highSurrogate) {
        m_highSurrogate = 0;
        emitCharacter(QChar::ReplacementCharacter);
        flushText();
    }
    if (m_pageNamed)
        m_sink.page(m_page);
    if (m_pendingParagraph)
        m_sink.finish(*m_pendingParagraph, m_pendingMarkFormat);
    else if (m_stack.size() > 1)
        m_sink.finish(state().paragraph, resolvedFormat());
    else
        m_sink.finish(m_closingParagraph, m_closingFormat);
}

void Parser::handleText(QByteArrayView bytes)
{
    if (m_skipCount > 0) {
        const qsizetype dropped = qMin<qsizetype>(m_skipCount, bytes.size());
        m_skipCount -= int(dropped);
        bytes = bytes.sliced(dropped);
    }
    if (bytes.isEmpty())
        return;
    switch (state().destination) {
    case Destination::Text:
        appendBytes(bytes);
        break;
    case Destination::FontTable:
        // A raw ";" ends the entry's name; an escaped one (\'3b) belongs to it.
        while (!bytes.isEmpty()) {
            const qsizetype semicolon = bytes.indexOf(';');
            if (semicolon < 0) {
                appendBytes(bytes);
                break;
            }
            appendBytes(bytes.first(semicolon));
            endFontEntry();
            bytes = bytes.sliced(semicolon + 1);
        }
        break;
    case Destination::ColorTable:
        for (const char c : bytes) {
            if (c != ';')
                continue;
            if (m_red < 0 && m_green < 0 && m_blue < 0)
                m_colors.emplace_back(std::nullopt);
            else
                m_colors.emplace_back(qRgb(qMax(m_red, 0), qMax(m_green, 0), qMax(m_blue, 0)));
            m_red = m_green = m_blue = -1;
        }
        break;
    default:
        break;
    }
}

void Parser::appendBytes(QByteArrayView bytes)
{
    if (m_highSurrogate) {
        m_highSurrogate = 0;
        emitCharacter(QChar::ReplacementCharacter);
    }
    m_bytes.append(bytes);
}

void Parser::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const QString decoded = decodeCodepage(currentCodepage(), m_bytes);
    m_bytes.clear();
    emitCharacters(decoded);
}

// Adds characters to the current destination, dropping control characters
// (and, in font names, tabs).
void Parser::emitCharacters(QStringView chars)
{
    GroupState &s = state();
    const bool fontName = s.destination == Destination::FontTable;
    if (!fontName && (s.destination != Destination::Text || s.hidden))
        return;
    const auto unwanted = [fontName](QChar c) {
        const char16_t ch = c.unicode();
        return (ch < 0x20 && (ch != u'\t' || fontName)) || ch == 0x7F;
    };
    QString filtered;
    if (std::any_of(chars.begin(), chars.end(), unwanted)) {
        for (const QChar c : chars) {
            if (!unwanted(c))
                filtered.append(c);
        }
        chars = filtered;
    }
    if (chars.isEmpty())
        return;
    if (fontName) {
        m_pendingFont.name.append(chars);
        return;
    }
    emitPendingParagraph();
    const RtfRunFormat format = resolvedFormat();
    if (!m_run.isEmpty() && !(format == m_runFormat)) {
        m_sink.text(m_run, m_runFormat);
        m_run.clear();
    }
    if (m_run.isEmpty())
        m_runFormat = format;
    m_run.append(chars);
}

void Parser::emitCharacter(char16_t ch)
{
    const QChar c(ch);
    emitCharacters(QStringView(&c, 1));
}

void Parser::flushText()
{
    flushBytes();
    if (!m_run.isEmpty()) {
        m_sink.text(m_run, m_runFormat);
        m_run.clear();
    }
}

void Parser::emitPendingParagraph()
{
    if (m_pendingParagraph) {
        const RtfParagraphFormat format = *m_pendingParagraph;
        m_pendingParagraph.reset();
        m_sink.paragraph(format, m_pendingMarkFormat);
    }
}

// A \par is held back until more content follows, so that the one closing
// the stream opens no empty paragraph.
void Parser::endParagraph()
{
    flushText();
    emitPendingParagraph();
    m_pendingParagraph = state().paragraph;
    m_pendingMarkFormat = resolvedFormat();
}

// Adds the UTF-16 code unit of a \uN, pairing surrogates.
void Parser::handleCodeUnit(int code)
{
    if (QChar::isLowSurrogate(char32_t(code)) && m_highSurrogate) {
        const char16_t high = m_highSurrogate;
        m_highSurrogate = 0;
        flushBytes();
        const QChar pair[2] = {QChar(high), QChar(char16_t(code))};
        emitCharacters(QStringView(pair, 2));
        return;
    }
    flushBytes();
    if (m_highSurrogate) {
        m_highSurrogate = 0;
        emitCharacter(QChar::ReplacementCharacter);
    }
    if (QChar::isHighSurrogate(char32_t(code))) {
        m_highSurrogate = char16_t(code);
        return;
    }
    emitCharacter(QChar::isLowSurrogate(char32_t(code)) ? char16_t(QChar::ReplacementCharacter) : char16_t(code));
}

void Parser::handleSymbol(char symbol)
{
    GroupState &s = state();
    if (symbol == '*') {
        m_ignorableNext = true;
        return;
    }
    if (s.destination == Destination::Skip || s.destination == Destination::ColorTable)
        return;
    switch (symbol) {
    case '\\':
    case '{':
    case '}': {
        const char literal = symbol;
        if (s.destination == Destination::FontTable || s.destination == Destination::Text)
            appendBytes(QByteArrayView(&literal, 1));
        break;
    }
    case '~':
        flushBytes();
        emitCharacter(0x00A0);
        break;
    case '-':
        flushBytes();
        emitCharacter(0x00AD);
        break;
    case '_':
        flushBytes();
        emitCharacter(0x2011);
        break;
    case '\n':
        if (s.destination == Destination::Text)
            endParagraph();
        break;
    case '\t':
        flushBytes();
        emitCharacter(u'\t');
        break;
    default: // \| \: and unknown symbols
        break;
    }
}

void Parser::handleWord(const RtfToken &token)
{
    const QByteArrayView word = token.word;
    GroupState &s = state();

    if (m_ignorableNext) {
        m_ignorableNext = false;
        if (word == "ud" && s.destination == Destination::Upr) {
            s.destination = Destination::Text;
            return;
        }
        flushText();
        s.destination = Destination::Skip;
        return;
    }
    if (s.destination == Destination::Skip)
        return;
    // Words of the document header, read wherever they stand.
    if (headerWord(word, token))
        return;
    if (s.destination == Destination::FontTable) {
        fontTableWord(word, token);
        return;
    }
    if (s.destination == Destination::ColorTable) {
        colorTableWord(word, token.parameter);
        return;
    }
    if (s.destination == Destination::Upr)
        return;
    if (destinationWord(word))
        return;
    if (const char16_t named = namedCharacter(word)) {
        flushBytes();
        emitCharacter(named);
        return;
    }
    if (word == "par" || word == "row" || word == "sect" || word == "page") {
        endParagraph();
        return;
    }
    // Formatting: the pending bytes belong to the format before the change.
    flushBytes();
    formatWord(word, token);
}

bool Parser::headerWord(QByteArrayView word, const RtfToken &token)
{
    const int param = token.parameter;
    GroupState &s = state();
    if (word == "ansicpg") {
        if (param > 0)
            m_ansiCodepage = param;
    } else if (word == "mac") {
        m_ansiCodepage = 10000;
    } else if (word == "pc") {
        m_ansiCodepage = 437;
    } else if (word == "pca") {
        m_ansiCodepage = 850;
    } else if (word == "deff") {
        m_defaultFont = param;
    } else if (word == "uc") {
        s.unicodeSkip = std::clamp(param, 0, 16);
    } else if (word == "u") {
        // UTF-16 code units, negative above 32767; anything else stands for
        // a character that cannot be known.
        if (param < -32768 || param > 65535)
            handleCodeUnit(QChar::ReplacementCharacter);
        else
            handleCodeUnit(param < 0 ? param + 65536 : param);
        m_skipCount = s.unicodeSkip;
    } else {
        return false;
    }
    return true;
}

void Parser::colorTableWord(QByteArrayView word, int param)
{
    const int value = std::clamp(param, 0, 255);
    if (word == "red")
        m_red = value;
    else if (word == "green")
        m_green = value;
    else if (word == "blue")
        m_blue = value;
}

bool Parser::destinationWord(QByteArrayView word)
{
    GroupState &s = state();
    if (word == "fonttbl") {
        flushText();
        s.destination = Destination::FontTable;
        m_fontEntry = -1;
        m_pendingFont = FontEntry();
    } else if (word == "colortbl") {
        flushText();
        s.destination = Destination::ColorTable;
        m_colors.clear();
        m_red = m_green = m_blue = -1;
    } else if (word == "upr") {
        flushText();
        s.destination = Destination::Upr;
    } else if (isSkippedDestination(word)) {
        flushText();
        s.destination = Destination::Skip;
    } else {
        return false;
    }
    return true;
}

void Parser::formatWord(QByteArrayView word, const RtfToken &token)
{
    const int param = token.parameter;
    const bool on = !token.hasParameter || param != 0;
    GroupState &s = state();
    if (word == "plain") {
        s.font = -1;
        s.halfPoints = 24;
        s.bold = s.italic = s.underline = s.strikeOut = s.hidden = false;
        s.color = -1;
    } else if (word == "pard") {
        s.paragraph = RtfParagraphFormat();
    } else if (word == "ql") {
        s.paragraph.alignment = RtfAlignment::Left;
    } else if (word == "qc") {
        s.paragraph.alignment = RtfAlignment::Center;
    } else if (word == "qr") {
        s.paragraph.alignment = RtfAlignment::Right;
    } else if (word == "qj") {
        s.paragraph.alignment = RtfAlignment::Justify;
    } else if (word == "outlinelevel") {
        s.paragraph.outlineLevel = token.hasParameter && param >= 0 && param <= 8 ? param : -1;
    } else if (word == "sb") {
        s.paragraph.spaceBefore = std::clamp(param, 0, 31680);
    } else if (word == "sa") {
        s.paragraph.spaceAfter = std::clamp(param, 0, 31680);
    } else if (pageWord(word, param)) {
        m_pageNamed = true;
    } else if (word == "b") {
        s.bold = on;
    } else if (word == "i") {
        s.italic = on;
    } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "uldash"
               || word == "uldashd" || word == "uldashdd" || word == "ulhwave" || word == "ulth"
               || word == "ulwave" || word == "ululdbwave" || word == "ulthd" || word == "ulthdash") {
        s.underline = on;
    } else if (word == "ulnone") {
        s.underline = false;
    } else if (word == "strike" || word == "striked") {
        s.strikeOut = on;
    } else if (word == "v") {
        s.hidden = on;
    } else if (word == "f") {
        s.font = param;
    } else if (word == "fs") {
        if (token.hasParameter && param > 0)
            s.halfPoints = std::clamp(param, 2, 3276);
        else
            s.halfPoints = 24;
    } else if (word == "cf") {
        s.color = param;
    }
}

bool Parser::pageWord(QByteArrayView word, int param)
{
    // Sizes beyond 22 inches are not paper.
    const int twips = std::clamp(param, 0, 31680);
    if (word == "paperw")
        m_page.paperWidth = twips;
    else if (word == "paperh")
        m_page.paperHeight = twips;
    else if (word == "margl")
        m_page.marginLeft = twips;
    else if (word == "margr")
        m_page.marginRight = twips;
    else if (word == "margt")
        m_page.marginTop = twips;
    else if (word == "margb")
        m_page.marginBottom = twips;
    else
        return false;
    return true;
}

void Parser::fontTableWord(QByteArrayView word, const RtfToken &token)
{
    if (word == "f") {
        endFontEntry();
        m_fontEntry = token.parameter;
        m_fontEntryDepth = m_stack.size();
        m_pendingFont = FontEntry();
    } else if (word == "fcharset") {
        flushBytes();
        m_pendingFont.charset = token.parameter;
    } else if (word == "cpg") {
        flushBytes();
        m_pendingFont.codepage = qMax(token.parameter, 0);
    }
}

// Stores the font table entry being read, if any.
void Parser::endFontEntry()
{
    flushBytes();
    if (m_fontEntry >= 0 || !m_pendingFont.name.isEmpty()) {
        if (m_fontEntry >= 0) {
            FontEntry entry = m_pendingFont;
            entry.name = rtfFontName(entry.name);
            m_fonts[m_fontEntry] = entry;
        }
    }
    m_fontEntry = -1;
    m_pendingFont = FontEntry();
}

const FontEntry *Parser::fontFor(int index) const
{
    auto found = m_fonts.find(index < 0 ? m_defaultFont : index);
    if (found == m_fonts.end())
        found = m_fonts.find(m_defaultFont);
    return found == m_fonts.end() ? nullptr : &found->second;
}

int Parser::currentCodepage() const
{
    const GroupState &s = m_stack.back();
    if (s.destination == Destination::FontTable)
        return m_pendingFont.codepage > 0 ? m_pendingFont.codepage
                                          : codepageForCharset(m_pendingFont.charset, m_ansiCodepage);
    if (const FontEntry *font = fontFor(s.font))
        return font->codepage > 0 ? font->codepage : codepageForCharset(font->charset, m_ansiCodepage);
    return m_ansiCodepage;
}

RtfRunFormat Parser::resolvedFormat() const
{
    const GroupState &s = m_stack.back();
    RtfRunFormat format;
    if (const FontEntry *font = fontFor(s.font))
        format.family = font->name;
    format.pointSize = s.halfPoints / 2.0;
    format.bold = s.bold;
    format.italic = s.italic;
    format.underline = s.underline;
    format.strikeOut = s.strikeOut;
    if (s.color >= 0 && size_t(s.color) < m_colors.size())
        format.color = m_colors[size_t(s.color)];
    return format;
}

// Text that is not RTF: paragraphs split at CR LF, CR or LF; other control
// characters but the tab are dropped.
void parsePlain(QStringView text, RtfSink &sink)
{
    const RtfRunFormat format;
    QString paragraph;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (ch == u'\r' || ch == u'\n') {
            if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            if (!paragraph.isEmpty())
                sink.text(paragraph, format);
            paragraph.clear();
            sink.paragraph(RtfParagraphFormat(), format);
        } else if ((ch >= 0x20 && ch != 0x7F) || ch == u'\t') {
            paragraph.append(QChar(ch));
        }
    }
    if (!paragraph.isEmpty())
        sink.text(paragraph, format);
    sink.finish(RtfParagraphFormat(), format);
}

qsizetype firstNonBlank(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return i;
}

} // namespace

void parseRtf(QByteArrayView rtf, RtfSink &sink, const RtfLimits &limits)
{
    const qsizetype start = firstNonBlank(rtf);
    if (start >= rtf.size() || rtf[start] != '{') {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
        QString text = utf8.decode(rtf);
        if (utf8.hasError())
            text = decodeCodepage(kCp1252, rtf);
        parsePlain(text, sink);
        return;
    }
    Parser parser(sink, limits);
    parser.run(rtf.sliced(start));
}

void parseRtf(QStringView rtf, RtfSink &sink, const RtfLimits &limits)
{
    qsizetype start = 0;
    while (start < rtf.size() && (rtf[start] == u' ' || rtf[start] == u'\t' || rtf[start] == u'\r' || rtf[start] == u'\n'))
        ++start;
    if (start >= rtf.size() || rtf[start] != u'{') {
        parsePlain(rtf, sink);
        return;
    }
    // Characters beyond ASCII become \uN escapes, in a group of their own so
    // that no fallback character is dropped after them.
    QByteArray bytes;
    bytes.reserve(rtf.size());
    for (qsizetype i = start; i < rtf.size(); ++i) {
        const char16_t ch = rtf[i].unicode();
        if (ch < 0x80) {
            bytes.append(char(ch));
        } else {
            bytes.append("{\\uc0\\u");
            bytes.append(QByteArray::number(int(ch)));
            bytes.append(" }");
        }
    }
    Parser parser(sink, limits);
    parser.run(bytes);
}

} // namespace quadrivium
