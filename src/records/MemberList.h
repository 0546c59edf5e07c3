#pragma once
// The ordered member records: position 0 is the file's header record, 1..count() the members.
// Every record also carries an identity that lives only in memory: it stays with the member through
// every reordering and edit, so that what belongs to a member elsewhere (the scores of the matches)
// can follow him. A member added to the list gets a new identity (unique within the list).
#include "records/TLedenObj.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

namespace tandemx {

constexpr int MaxMembers = 400;

using MemberId = uint32_t;

class MemberList {
public:
    MemberList() : records_(1), ids_(1, 0) {}

    int count() const { return int(records_.size()) - 1; } // MemberCount
    TLedenObj& header() { return records_[0]; }
    const TLedenObj& header() const { return records_[0]; }
    TLedenObj& at(int position) { return records_.at(size_t(position)); }
    const TLedenObj& at(int position) const { return records_.at(size_t(position)); }
    // The identity of the record at position (0..count()).
    MemberId id(int position) const { return ids_.at(size_t(position)); }
    const std::vector<MemberId>& ids() const { return ids_; }
    // Members added from now on get identities that none of other's members ever had: for a copy that
    // takes the place of other (a list put back as it was saved), so that a new member is never taken
    // for one of other's.
    void continueIdsAfter(const MemberList& other) { lastId_ = std::max(lastId_, other.lastId_); }

    void append(const TLedenObj& r)
    {
        records_.push_back(r);
        ids_.push_back(newId());
    }
    // Inserts before the member at position (1..count()+1).
    void insert(int position, const TLedenObj& r)
    {
        records_.insert(records_.begin() + position, r);
        ids_.insert(ids_.begin() + position, newId());
    }
    void remove(int position)
    {
        records_.erase(records_.begin() + position);
        ids_.erase(ids_.begin() + position);
    }
    void exchange(int a, int b)
    {
        std::swap(records_.at(size_t(a)), records_.at(size_t(b)));
        std::swap(ids_.at(size_t(a)), ids_.at(size_t(b)));
    }
    // Moves the member at from to position to (both 1..count()), shifting those between.
    void move(int from, int to);
    // Stable sort of members 1..count() by less(a, b) on their records.
    template <class Less>
    void stableSort(Less less)
    {
        std::vector<size_t> order(records_.size() - 1);
        std::iota(order.begin(), order.end(), size_t(1));
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return less(records_[a], records_[b]); });
        reorder(order);
    }

    const std::vector<TLedenObj>& records() const { return records_; }

private:
    // Puts the members in the order of their old positions in `order` (one entry per member).
    void reorder(const std::vector<size_t>& order);
    MemberId newId() { return ++lastId_; }

    std::vector<TLedenObj> records_;
    std::vector<MemberId> ids_;
    MemberId lastId_ = 0;
};

} // namespace tandemx
