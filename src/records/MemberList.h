#pragma once
// The ordered member records: position 0 is the file's header record, 1..count() the members.
#include "records/TLedenObj.h"

#include <vector>

namespace tandemx {

constexpr int MaxMembers = 400;

class MemberList {
public:
    MemberList() : records_(1) {}

    int count() const { return int(records_.size()) - 1; } // MemberCount
    TLedenObj& header() { return records_[0]; }
    const TLedenObj& header() const { return records_[0]; }
    TLedenObj& at(int position) { return records_.at(size_t(position)); }
    const TLedenObj& at(int position) const { return records_.at(size_t(position)); }

    void append(const TLedenObj& r) { records_.push_back(r); }
    // Inserts before the member at position (1..count()+1).
    void insert(int position, const TLedenObj& r) { records_.insert(records_.begin() + position, r); }
    void remove(int position) { records_.erase(records_.begin() + position); }
    void exchange(int a, int b) { std::swap(records_.at(size_t(a)), records_.at(size_t(b))); }
    // Moves the member at from to position to (both 1..count()), shifting those between.
    void move(int from, int to);

    std::vector<TLedenObj>& records() { return records_; }
    const std::vector<TLedenObj>& records() const { return records_; }

private:
    std::vector<TLedenObj> records_;
};

} // namespace tandemx
