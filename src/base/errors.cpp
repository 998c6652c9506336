#include "base/errors.h"

#include "base/utf.h"

#include <algorithm>
#include <initializer_list>

namespace quivra::base {

namespace {
std::u16string join(std::initializer_list<std::u16string_view> parts) {
    std::size_t size = 0;
    for (auto p : parts)
        size += p.size();
    std::u16string out(size, u'\0');
    auto at = out.begin();
    for (auto p : parts)
        at = std::copy(p.begin(), p.end(), at);
    return out;
}
} // namespace

UserError::UserError(std::u16string text)
    : std::runtime_error(utf16ToUtf8(text)), text_(std::move(text)) {}

UserError unableToWrite(std::u16string_view path) {
    return UserError(join({u"Unable to write to ", path}));
}

UserError cannotOpenFile(std::u16string_view path, std::u16string_view reason) {
    return UserError(join({u"Cannot open file \"", path, u"\". ", reason}));
}

UserError failedToLoadStream() {
    return UserError(u"Failed to Load Stream");
}

UserError notValidInteger(std::u16string_view value) {
    return UserError(join({u"'", value, u"' is not a valid integer value"}));
}

UserError listIndexOutOfBounds(long index) {
    const auto digits = std::to_string(index);
    const std::u16string number(digits.begin(), digits.end());
    return UserError(join({u"List index out of bounds (", number, u")"}));
}

} // namespace quivra::base
