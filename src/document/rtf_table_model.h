// A model of how the rich-edit control's RTF reader builds tables, to refuse
// the table markup it cannot survive. Wine 8's reader trusts the markup: a row
// ended with more cells than \cellx defined for it fails an assertion, a row
// carried on over paragraphs typed after the previous row (no \pard between)
// leaves the table in a state that later hangs or asserts, and markup inside
// groups that it may or may not skip makes the count of defined cells
// uncertain. The model follows the reader's own state (nesting level, the
// stack of row definitions, whether the next row inherits the last one) and
// answers "refuse" wherever the reader would take one of those paths, or
// where the model cannot tell which path it takes.
//
// Wine's own writer puts \cell and \row without \intbl on rows it did not
// nest; the reader ignores those, and so does the model.
#pragma once

#include <cstdint>
#include <vector>

namespace quivra::document {

class RtfTableModel {
  public:
    enum class Token {
        InTable,
        NestLevel,
        RowDefaults,
        CellBoundary,
        Cell,
        Row,
        ParagraphDefaults
    };
    // Where the token stands: read for sure, or inside a group that the reader
    // may or may not skip (after \*, inside \pict or \object).
    enum class Context { Read, Uncertain };

    // Feeds one table token; false when the reader would take a path it
    // cannot survive. `parameter` is the \itap level.
    bool take(Token token, Context context, long parameter = 0);
    // Text or an object was inserted (into the document, or maybe so).
    void inserted() noexcept { dirty_ = true; }
    // The document ends: the reader completes and then deletes any row left
    // open. False when that completion is a path it cannot survive.
    bool finish();

  private:
    enum class Maybe { No, Yes, Unsure };

    bool openRow();
    bool closeRow();
    std::uint64_t& defined();

    struct OpenRow {
        int cells = 0;       // cells ended so far
        bool nested = false; // a nested table began after the last of them
    };

    int level_ = 0;
    std::vector<OpenRow> rows_;
    std::vector<std::uint64_t> defs_; // row definitions: bit n set = n cells may be defined
    Maybe inherit_ = Maybe::No;       // the next row may carry on the last one
    Maybe afterRow_ = Maybe::No;      // the reader still points at the end of the last row
    bool dirty_ = false;              // something was inserted since that row ended
};

} // namespace quivra::document
