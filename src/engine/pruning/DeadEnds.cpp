#include "DeadEnds.h"

#include <algorithm>

namespace tandemx::engine::pruning {

size_t DeadEnds::slotOf(const ChosenKey& key)
{
    return size_t(hashWords(0x9E3779B97F4A7C15ull, key) & (Slots - 1));
}

void DeadEnds::start()
{
    key_.fill(0);
    // Entries of earlier searches are told apart by their search number; when it wraps, clear them.
    if (++search_ == 0) {
        for (auto& e : table_)
            e.search = 0;
        search_ = 1;
    }
}

void DeadEnds::record(int cursor, Pair open)
{
    key_.back() = uint64_t(open.first) << 8 | open.second;
    Entry& e = table_[slotOf(key_)];
    if (e.search == search_ && e.key == key_) {
        e.cursor = std::min(e.cursor, int32_t(cursor));
        return;
    }
    e.key = key_;
    e.cursor = cursor;
    e.search = search_;
}

bool DeadEnds::known(int cursor, Pair open)
{
    key_.back() = uint64_t(open.first) << 8 | open.second;
    const Entry& e = table_[slotOf(key_)];
    return e.search == search_ && e.cursor <= cursor && e.key == key_;
}

} // namespace tandemx::engine::pruning
