#include "rtftokenizer.h"

#include <climits>
#include <cstdint>

namespace quadrivium {

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

RtfToken RtfTokenizer::next()
{
    RtfToken token;
    while (m_pos < m_input.size()) {
        const char c = m_input[m_pos];
        switch (c) {
        case '{':
            ++m_pos;
            token.kind = RtfToken::Kind::GroupStart;
            return token;
        case '}':
            ++m_pos;
            token.kind = RtfToken::Kind::GroupEnd;
            return token;
        case '\\': {
            RtfToken control = controlSequence();
            if (control.kind != RtfToken::Kind::End || m_pos >= m_input.size())
                return control;
            continue; // a malformed escape was dropped
        }
        case '\r':
        case '\n':
            ++m_pos;
            continue;
        default: {
            const qsizetype start = m_pos;
            while (m_pos < m_input.size()) {
                const char d = m_input[m_pos];
                if (d == '{' || d == '}' || d == '\\' || d == '\r' || d == '\n')
                    break;
                ++m_pos;
            }
            token.kind = RtfToken::Kind::Text;
            token.word = m_input.sliced(start, m_pos - start);
            return token;
        }
        }
    }
    return token;
}

// Reads the sequence after a backslash at m_pos. Returns an End token for a
// malformed hex escape (which is skipped) and at the end of the input.
RtfToken RtfTokenizer::controlSequence()
{
    RtfToken token;
    ++m_pos; // the backslash
    if (m_pos >= m_input.size())
        return token;
    const char c = m_input[m_pos];
    if (!isLetter(c)) {
        ++m_pos;
        if (c == '\'') {
            const int high = m_pos < m_input.size() ? hexValue(m_input[m_pos]) : -1;
            const int low = m_pos + 1 < m_input.size() ? hexValue(m_input[m_pos + 1]) : -1;
            if (high < 0 || low < 0)
                return token;
            m_pos += 2;
            token.kind = RtfToken::Kind::HexByte;
            token.byte = static_cast<unsigned char>(high * 16 + low);
            return token;
        }
        token.kind = RtfToken::Kind::ControlSymbol;
        token.symbol = (c == '\r') ? '\n' : c;
        return token;
    }

    const qsizetype start = m_pos;
    while (m_pos < m_input.size() && isLetter(m_input[m_pos]))
        ++m_pos;
    token.kind = RtfToken::Kind::ControlWord;
    token.word = m_input.sliced(start, m_pos - start);

    bool negative = false;
    if (m_pos + 1 < m_input.size() && m_input[m_pos] == '-' && isDigit(m_input[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_input.size() && isDigit(m_input[m_pos])) {
        std::int64_t value = 0;
        while (m_pos < m_input.size() && isDigit(m_input[m_pos])) {
            if (value <= INT_MAX)
                value = value * 10 + (m_input[m_pos] - '0');
            ++m_pos;
        }
        if (negative)
            value = -value;
        token.hasParameter = true;
        token.parameter = static_cast<int>(value < INT_MIN ? INT_MIN : (value > INT_MAX ? INT_MAX : value));
    }
    if (m_pos < m_input.size() && m_input[m_pos] == ' ')
        ++m_pos;

    if (token.word == "bin" && token.hasParameter) {
        const qsizetype length = token.parameter > 0 ? qMin<qsizetype>(token.parameter, m_input.size() - m_pos) : 0;
        token = RtfToken();
        token.kind = RtfToken::Kind::Binary;
        token.word = m_input.sliced(m_pos, length);
        m_pos += length;
    }
    return token;
}

} // namespace quadrivium
