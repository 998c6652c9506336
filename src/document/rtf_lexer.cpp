#include "document/rtf_lexer.h"

namespace quivra::document {

namespace {

constexpr bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr int hexValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

RtfToken RtfLexer::token(RtfTokenKind kind, std::size_t start) const noexcept {
    RtfToken t;
    t.kind = kind;
    t.offset = start;
    t.raw = doc_.substr(start, pos_ - start);
    return t;
}

RtfToken RtfLexer::next() noexcept {
    if (pos_ >= doc_.size())
        return token(RtfTokenKind::End, pos_);
    const std::size_t start = pos_;
    switch (doc_[pos_++]) {
    case '{':
        return token(RtfTokenKind::GroupOpen, start);
    case '}':
        return token(RtfTokenKind::GroupClose, start);
    case '\\':
        return controlToken(start);
    default: {
        const std::size_t end = doc_.find_first_of("{}\\", pos_);
        pos_ = end == std::string_view::npos ? doc_.size() : end;
        RtfToken t = token(RtfTokenKind::Text, start);
        t.word = t.raw;
        return t;
    }
    }
}

RtfToken RtfLexer::controlToken(std::size_t start) noexcept {
    if (pos_ >= doc_.size())
        return token(RtfTokenKind::ControlSymbol, start);
    const char c = doc_[pos_];
    if (isLetter(c))
        return controlWord(start);
    ++pos_;
    if (c == '\'') {
        if (pos_ + 2 <= doc_.size() && hexValue(doc_[pos_]) >= 0 && hexValue(doc_[pos_ + 1]) >= 0) {
            const auto byte =
                static_cast<unsigned char>(hexValue(doc_[pos_]) * 16 + hexValue(doc_[pos_ + 1]));
            pos_ += 2;
            RtfToken t = token(RtfTokenKind::HexByte, start);
            t.byte = byte;
            return t;
        }
        pos_ = pos_ + 2 <= doc_.size() ? pos_ + 2 : doc_.size();
    }
    RtfToken t = token(RtfTokenKind::ControlSymbol, start);
    t.word = doc_.substr(start + 1, 1);
    return t;
}

RtfToken RtfLexer::controlWord(std::size_t start) noexcept {
    const std::size_t letters = pos_;
    while (pos_ < doc_.size() && isLetter(doc_[pos_]))
        ++pos_;
    auto broken = [&](RtfLimit limit) {
        RtfToken t = token(RtfTokenKind::LimitBroken, start);
        t.limit = limit;
        pos_ = doc_.size();
        return t;
    };
    if (pos_ - letters > options_.controlWordLetters)
        return broken(RtfLimit::ControlWordLetters);
    const std::string_view word = doc_.substr(letters, pos_ - letters);

    const std::size_t sign = pos_;
    const bool negative = pos_ < doc_.size() && doc_[pos_] == '-';
    if (negative) {
        ++pos_;
        if (options_.doubleMinus && pos_ + 1 < doc_.size() && doc_[pos_] == '-' &&
            isDigit(doc_[pos_ + 1]))
            ++pos_;
    }
    const std::size_t digits = pos_;
    long value = 0;
    while (pos_ < doc_.size() && isDigit(doc_[pos_])) {
        const int d = doc_[pos_] - '0';
        value = value > (kRtfParameterCap - d) / 10 ? kRtfParameterCap : value * 10 + d;
        ++pos_;
    }
    if (pos_ - digits > options_.parameterDigits)
        return broken(RtfLimit::ParameterDigits);
    const std::size_t parameterEnd = pos_;
    const bool delimited = pos_ < doc_.size() && doc_[pos_] == ' ';
    if (delimited)
        ++pos_;

    RtfToken t = token(RtfTokenKind::ControlWord, start);
    t.word = word;
    t.parameterText = doc_.substr(sign, parameterEnd - sign);
    if (parameterEnd > digits)
        t.parameter = negative ? -value : value;
    t.delimited = delimited;
    return t;
}

} // namespace quivra::document
