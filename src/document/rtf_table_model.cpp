#include "document/rtf_table_model.h"

#include <bit>

namespace quivra::document {

namespace {

constexpr std::uint64_t kNone = 1; // bit 0: no cell defined
constexpr std::uint64_t kMost = std::uint64_t{1} << 63;

// One more \cellx: every possible count grows by one, up to the reader's cap
// of 63 cells.
std::uint64_t plusOneCell(std::uint64_t counts) {
    return (counts << 1) | (counts & kMost);
}

} // namespace

std::uint64_t& RtfTableModel::defined() {
    if (defs_.empty())
        defs_.push_back(kNone);
    return defs_.back();
}

bool RtfTableModel::openRow() {
    defined();
    level_ = 1;
    rows_.assign(1, OpenRow{});
    afterRow_ = Maybe::No;
    return true;
}

bool RtfTableModel::closeRow() {
    // The reader gives the row the defined cells and deletes what follows
    // them: more cells break the row, and so does a nested table in the text
    // after the last of them. With no cell defined it keeps everything.
    const std::uint64_t counts = defined() & ~kNone;
    const OpenRow row = rows_.back();
    if (counts != 0 && row.cells > std::countr_zero(counts))
        return false;
    if (row.nested && row.cells < 64 && (counts >> row.cells & 1) != 0)
        return false;
    --level_;
    rows_.pop_back();
    if (level_ > 0) {
        defs_.pop_back();
        return true;
    }
    switch (inherit_) {
    case Maybe::Yes:
        afterRow_ = Maybe::Yes;
        break;
    case Maybe::No:
        defs_.clear();
        afterRow_ = Maybe::No;
        break;
    case Maybe::Unsure:
        defined() |= kNone;
        afterRow_ = Maybe::Unsure;
        break;
    }
    dirty_ = false;
    return true;
}

bool RtfTableModel::take(Token token, Context context, long parameter) {
    if (context == Context::Uncertain) {
        switch (token) {
        case Token::RowDefaults:
            defined() |= kNone;
            return true;
        case Token::CellBoundary:
            defined() |= plusOneCell(defined());
            return true;
        case Token::ParagraphDefaults:
            if (afterRow_ != Maybe::No && !dirty_)
                afterRow_ = Maybe::Unsure;
            if (inherit_ == Maybe::Yes)
                inherit_ = Maybe::Unsure;
            return true;
        case Token::NestLevel:
            if (parameter > 0)
                return false;
            if (inherit_ == Maybe::Yes)
                inherit_ = Maybe::Unsure;
            return true;
        default:
            return false; // rows and cells that may or may not be read
        }
    }
    switch (token) {
    case Token::InTable:
        if (level_ > 0)
            return true;
        if (afterRow_ == Maybe::Unsure || (afterRow_ == Maybe::Yes && dirty_))
            return false; // the new row would take in what follows the last
        openRow();
        inherit_ = Maybe::Yes;
        return true;
    case Token::NestLevel:
        while (parameter > level_) {
            if (!rows_.empty())
                rows_.back().nested = true;
            defs_.push_back(kNone);
            rows_.push_back(OpenRow{});
            ++level_;
            afterRow_ = Maybe::No;
        }
        inherit_ = Maybe::No;
        return true;
    case Token::RowDefaults:
        defined() = kNone;
        return true;
    case Token::CellBoundary:
        defined() = plusOneCell(defined());
        return true;
    case Token::ParagraphDefaults:
        if (afterRow_ != Maybe::No && !dirty_) {
            inherit_ = afterRow_ == Maybe::Yes ? Maybe::No
                       : inherit_ == Maybe::No ? Maybe::No
                                               : Maybe::Unsure;
            afterRow_ = Maybe::No;
        }
        return true;
    case Token::Cell:
    case Token::Row:
        if (level_ == 0) {
            // Outside a row the reader ignores them, unless it still points
            // at the end of the last row: then they carry that row on.
            if (defs_.empty() || afterRow_ == Maybe::No)
                return true;
            if (afterRow_ == Maybe::Unsure || dirty_)
                return false;
            openRow();
        }
        if (token == Token::Cell) {
            ++rows_.back().cells;
            rows_.back().nested = false;
            return true;
        }
        return closeRow();
    }
    return true;
}

bool RtfTableModel::finish() {
    if (level_ == 0)
        return afterRow_ == Maybe::No || inherit_ == Maybe::No || !dirty_;
    while (level_ > 0)
        if (!closeRow())
            return false;
    return true;
}

} // namespace quivra::document
