#include "crypto/decrypted_view.h"

#include <gtest/gtest.h>

using namespace quivra::crypto;

namespace {

// Brackets stand for cipher text: "<text>" for the compatible cipher,
// "{text}" for the strong one.
class BracketCipher : public ViewCipher {
  public:
    std::optional<std::u16string> encrypt(std::u16string_view plain, CipherKind kind) override {
        if (plain == u"refused")
            return std::nullopt;
        return kind == CipherKind::Strong ? u"{" + std::u16string(plain) + u"}"
                                          : u"<" + std::u16string(plain) + u">";
    }
};

std::u16string returned(const DecryptedView& view, std::u16string_view current,
                        CipherReturn* plan = nullptr) {
    BracketCipher cipher;
    CipherReturn made = view.planReturn(current, cipher);
    std::u16string text = quivra::base::withReplacements(current, made.replacements);
    if (plan)
        *plan = std::move(made);
    return text;
}

} // namespace

// A selection decrypted in the middle of a line: "pw: " stays plain, the
// password "QQQQ" is the cipher text of "abcd".
TEST(DecryptedView, ASelectionComesBackWithTheEditsInsideItEncryptedAndOthersAsTyped) {
    const DecryptedView view =
        DecryptedView::ofSelection(u"pw: abcd end\rnext", 4, 8, u"QQQQ", CipherKind::Compatible);
    const struct {
        const char* edit;
        std::u16string current;
        std::u16string result;
        bool guessed;
    } cases[] = {
        {"nothing typed", u"pw: abcd end\rnext", u"pw: QQQQ end\rnext", false},
        {"inside", u"pw: abXcd end\rnext", u"pw: <abXcd> end\rnext", false},
        {"typed over it whole", u"pw: new end\rnext", u"pw: <new> end\rnext", false},
        {"another line", u"pw: abcd end\rnext typed", u"pw: QQQQ end\rnext typed", false},
        {"before it on its line", u"my pw: abcd end\rnext", u"my pw: QQQQ end\rnext", false},
        {"a line added above", u"top\rpw: abcd end\rnext", u"top\rpw: QQQQ end\rnext", false},
        // At the edge: the line is encrypted whole, comment blocks aside.
        {"at its edge", u"pw: abcdX end\rnext", u"<pw: abcdX end>\rnext", true},
        {"across its edge", u"pw:bcd end\rnext", u"<pw:bcd end>\rnext", true},
    };
    for (const auto& c : cases) {
        CipherReturn plan;
        EXPECT_EQ(returned(view, c.current, &plan), c.result) << c.edit;
        EXPECT_EQ(plan.guessedLines.has_value(), c.guessed) << c.edit;
        EXPECT_EQ(plan.untouched, c.current == view.text()) << c.edit;
    }
    // The strong cipher's region is encrypted again with it; a text no
    // padding helps keeps the old cipher and is counted.
    const DecryptedView strong =
        DecryptedView::ofSelection(u"x secret y", 2, 8, u"QV1:tok", CipherKind::Strong);
    EXPECT_EQ(returned(strong, u"x secXret y"), u"x {secXret} y");
    CipherReturn plan;
    EXPECT_EQ(returned(strong, u"x refused y", &plan), u"x QV1:tok y");
    EXPECT_EQ(plan.refused, 1u);

    // Part of it encrypted anew ("cd" into "NEW!"): that part is the new
    // cipher's, the rest goes back encrypted on its own.
    BracketCipher cipher;
    const auto back = view.planReturn(view.text(), cipher).replacements;
    const DecryptedView after =
        DecryptedView::afterEncryption(view.text(), back, 6, 8, u"NEW!", cipher);
    EXPECT_EQ(after.text(), u"pw: abNEW! end\rnext");
    EXPECT_EQ(returned(after, after.text()), u"pw: <ab>NEW! end\rnext");
}

// A whole note decrypted: lines nobody touched get their cipher back as it
// was; lines typed or changed outside comment blocks are encrypted line by
// line; lines in comment blocks and empty lines stay as they are.
TEST(DecryptedView, AWholeNoteEncryptsEveryLineTypedOutsideCommentBlocks) {
    // A token of a salt, a nonce, a tag and one code unit, all zero bytes.
    const std::u16string token = u"QV1:" + std::u16string(62, u'A');
    const std::u16string cipher = u"C1\r##[ note\rplain\r]##\rC2\r\r" + token;
    const std::u16string plain = u"one\r##[ note\rplain\r]##\rtwo\r\rthree\rfour";
    const DecryptedView view = DecryptedView::ofWholeNote(cipher, plain);
    ASSERT_EQ(view.regions().size(), 3u); // one, two, and three+four from one token
    EXPECT_EQ(view.regions()[2].kind, CipherKind::Strong);

    const struct {
        const char* edit;
        std::u16string current;
        std::u16string result;
    } cases[] = {
        {"nothing typed", plain, cipher},
        {"a line changed", u"one\r##[ note\rplain\r]##\rtwo!\r\rthree\rfour",
         u"C1\r##[ note\rplain\r]##\r<two!>\r\r" + token},
        {"a line added", u"one\rnew\r##[ note\rplain\r]##\rtwo\r\rthree\rfour",
         u"C1\r<new>\r##[ note\rplain\r]##\rC2\r\r" + token},
        {"typed in the comment block", u"one\r##[ note\rplain typed\r]##\rtwo\r\rthree\rfour",
         u"C1\r##[ note\rplain typed\r]##\rC2\r\r" + token},
        {"a line of the token's", u"one\r##[ note\rplain\r]##\rtwo\r\rthree\rfour!",
         u"C1\r##[ note\rplain\r]##\rC2\r\r{three}\r{four!}"},
        {"a line removed", u"one\r##[ note\rplain\r]##\r\rthree\rfour",
         u"C1\r##[ note\rplain\r]##\r\r" + token},
    };
    for (const auto& c : cases)
        EXPECT_EQ(returned(view, c.current), c.result) << c.edit;
}
