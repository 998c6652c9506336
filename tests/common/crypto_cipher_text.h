// The encryption's rule for cipher text in a note's text, as the search
// across all notes asks for it (the program's window answers the same way).
#pragma once

#include "crypto/cipher_text_ranges.h"
#include "search/note_corpus.h"

namespace quivra::search::testing {

class CryptoCipherText : public CipherText {
  public:
    std::vector<TextSpan> cipherText(std::u16string_view text) const override {
        std::vector<TextSpan> spans;
        for (const auto& r : crypto::cipherTextRanges(text))
            spans.push_back({r.start, r.length});
        return spans;
    }
};

} // namespace quivra::search::testing
