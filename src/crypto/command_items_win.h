// The encryption commands' items in the additional menu, as the commands
// see them: whether an item is enabled now, and the decrypt item's caption.
// The controller, which holds the menu, answers.
#pragma once

namespace quivra::crypto {

class CommandItems {
  public:
    virtual ~CommandItems() = default;
    // The refresh's state of the item; before the menu exists, the refresh's
    // rule from the facts as they are now.
    virtual bool itemEnabled(int id) const = 0;
    // The decrypt item reads "Вернуть шифр" after a decryption in place,
    // "Расшифровать" otherwise.
    virtual void setReturnCaption(bool returnCipher) = 0;
};

} // namespace quivra::crypto
