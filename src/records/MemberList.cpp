#include "records/MemberList.h"

#include <algorithm>

namespace tandemx {

void MemberList::move(int from, int to)
{
    if (from == to)
        return;
    auto rotate = [from, to](auto& v) {
        auto first = v.begin();
        if (from < to)
            std::rotate(first + from, first + from + 1, first + to + 1);
        else
            std::rotate(first + to, first + from, first + from + 1);
    };
    rotate(records_);
    rotate(ids_);
}

void MemberList::reorder(const std::vector<size_t>& order)
{
    std::vector<TLedenObj> records(1, records_[0]);
    std::vector<MemberId> ids(1, ids_[0]);
    records.reserve(records_.size());
    ids.reserve(ids_.size());
    for (size_t from : order) {
        records.push_back(records_[from]);
        ids.push_back(ids_[from]);
    }
    records_ = std::move(records);
    ids_ = std::move(ids);
}

} // namespace tandemx
