// The failures shown to the user in the standard error message box. Throwing
// one abandons the command that failed; the window procedure that ran the
// command catches it and shows its text.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace quivra::base {

class UserError : public std::runtime_error {
  public:
    explicit UserError(std::u16string text);
    const std::u16string& text() const noexcept { return text_; }

  private:
    std::u16string text_;
};

UserError unableToWrite(std::u16string_view path);
UserError cannotOpenFile(std::u16string_view path, std::u16string_view reason);
UserError failedToLoadStream();
UserError notValidInteger(std::u16string_view value);
UserError listIndexOutOfBounds(long index);

} // namespace quivra::base
