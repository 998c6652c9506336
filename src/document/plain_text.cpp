#include "document/plain_text.h"

#include "base/utf.h"

namespace quivra::document {

namespace {

std::optional<std::u16string> decodeUtf16(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0)
        return std::nullopt;
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (size_t i = 0; i < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        out.push_back(bigEndian ? static_cast<char16_t>(first << 8 | second)
                                : static_cast<char16_t>(second << 8 | first));
    }
    return out;
}

} // namespace

EncodingMark detectPlainEncoding(std::string_view bytes) noexcept {
    if (bytes.starts_with("\xFF\xFE"))
        return {PlainEncoding::Utf16LittleEndian, 2};
    if (bytes.starts_with("\xFE\xFF"))
        return {PlainEncoding::Utf16BigEndian, 2};
    if (bytes.starts_with("\xEF\xBB\xBF"))
        return {PlainEncoding::Utf8, 3};
    return {PlainEncoding::Ansi, 0};
}

std::optional<std::u16string> decodePlainText(std::string_view bytes,
                                              const base::TextServices& services) {
    const EncodingMark mark = detectPlainEncoding(bytes);
    const std::string_view body = bytes.substr(mark.length);
    std::optional<std::u16string> text;
    switch (mark.encoding) {
    case PlainEncoding::Utf16LittleEndian:
        text = decodeUtf16(body, false);
        break;
    case PlainEncoding::Utf16BigEndian:
        text = decodeUtf16(body, true);
        break;
    case PlainEncoding::Utf8:
        if (base::isValidUtf8(body))
            text = base::utf8ToUtf16(body);
        break;
    case PlainEncoding::Ansi:
        text = services.ansiToUtf16(body);
        break;
    }
    if (text && text->find(u'\0') != std::u16string::npos)
        return std::nullopt;
    return text;
}

std::u16string withParagraphBreaks(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            continue; // the '\n' gives the break
        out.push_back(text[i] == u'\n' ? u'\r' : text[i]);
    }
    return out;
}

} // namespace quivra::document
