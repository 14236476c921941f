#pragma once

#include <QByteArrayView>

namespace quadrivium {

/// One lexical unit of an RTF byte stream.
struct RtfToken {
    enum class Kind {
        End,           ///< no more input
        GroupStart,    ///< "{"
        GroupEnd,      ///< "}"
        ControlWord,   ///< "\word" with an optional signed parameter
        ControlSymbol, ///< "\" and one non-letter; "\<CR>" and "\<LF>" give '\n'
        HexByte,       ///< "\'hh"
        Text,          ///< a run of literal bytes (line ends are dropped)
        Binary,        ///< the data of "\binN" (already consumed)
    };
    Kind kind = Kind::End;
    QByteArrayView word;       ///< ControlWord: the letters; Text, Binary: the bytes
    bool hasParameter = false; ///< ControlWord
    int parameter = 0;         ///< ControlWord; clamped to the 32-bit range
    char symbol = 0;           ///< ControlSymbol
    unsigned char byte = 0;    ///< HexByte
};

/// Splits RTF bytes into tokens. Works on any input: malformed escapes
/// are dropped, parameters saturate, "\binN" never reads past the end.
/// The view must outlive the tokenizer and its tokens.
class RtfTokenizer {
public:
    explicit RtfTokenizer(QByteArrayView input) : m_input(input) {}

    RtfToken next();
    qsizetype position() const { return m_pos; }

private:
    RtfToken controlSequence();

    QByteArrayView m_input;
    qsizetype m_pos = 0;
};

} // namespace quadrivium
