#include "program/refresh_table.h"

#include <algorithm>

namespace quivra::program {

void RefreshTable::add(RefreshStep step, Row row) {
    const auto at = std::upper_bound(rows_.begin(), rows_.end(), step,
                                     [](RefreshStep s, const Entry& e) { return s < e.step; });
    rows_.insert(at, Entry{step, std::move(row)});
}

void RefreshTable::run(const RefreshFacts& facts) const {
    for (const auto& e : rows_)
        e.row(facts);
}

} // namespace quivra::program
