// The spreading pass. The calculation keeps partners apart but never looks at opponents, and a mixed
// round pairs chosen pair 1 against pair 2, 3 against 4, in pool order: with everyone playing, a court
// holds the same two men every mixed round. The pass keeps the calculated evening's frame - in every
// round the same players in each block of courts, the same sit-outs and court ranges - and places the
// players of each block again.
//
// It is a simulated annealing over the whole evening. A move changes one or two courts of one block:
// two courts exchange a pair (the partners stay together), two players of the same gender in different
// pairs change places (new partners), or, where the doubles history rule of "Steeds ander begin paren"
// reads which pair stands first on a court, a court's pairs change places. Tables per two players
// (times opponents, on one court, partners, and the rounds the option's rules read) give a move's
// effect from the courts it changes alone:
// - the hard rules, as a count of breaches that no move may raise: a partnership twice in the evening
//   (doubles pairs; the pairs of a mixed court; with "Groep 1 tegen Groep 2" also its two men and its two
//   ladies, who play together), and with "Steeds ander begin paren" that option's history rules: a
//   doubles pair may not be formed by two players who stood as a history entry in an earlier round (the
//   first of one pair with the second of the other, as the calculation records them), and no mixed
//   court may hold two men, two ladies, or a man and the opposing lady who shared a mixed court before.
//   The calculated schedule keeps them all (a failed round may not; the pass never adds a breach);
// - the cost: 10 x sum C(opponents, 2) + 10 x sum C(court-mates, 2) over all two players, with a
//   steeper price for a third and fourth meeting as opponents.
// A move that lowers the cost is taken, one that raises it by d with probability exp(-d / T), the
// temperature T falling geometrically from T0 to T1 over a run. The runs start from the calculated
// evening each time, the first short and each next one twice as long, until the evening's number of
// moves is spent or an evening reaches the bound no placing can beat (SpreadBound): a loose evening
// ends in its first run, a tight one gets long runs and several tries. The evening kept is the best
// one seen, by (breaches, most times two players met as opponents, opponent repeats, court-mate
// repeats).
//
// The random numbers come from a fixed seed and the number of moves from the evening's size only, and
// the acceptance test uses no library function whose last bit could differ between machines: the same
// evening gives the same schedule everywhere. Everything lives in state.spread: no allocation.
#include "OpponentSpread.h"

#include <algorithm>
#include <bit>

namespace tandemx::engine {

namespace {

using Court = SpreadTables::Court;

// The cost of two players who met c times: as opponents, and on one court. A third and a fourth meeting
// as opponents cost four and eight times what C(c, 2) says.
constexpr int64_t OpponentWeight = 10;
constexpr int64_t MateWeight = 10;

struct CostTables {
    std::array<int64_t, MaxRounds + 2> opponents{}, mates{};
    constexpr CostTables()
    {
        for (int c = 0; c <= MaxRounds + 1; ++c) {
            const int64_t pairs = int64_t(c) * (c - 1) / 2;
            opponents[size_t(c)] = OpponentWeight * (c >= 4 ? 8 * pairs : c == 3 ? 4 * pairs : pairs);
            mates[size_t(c)] = MateWeight * pairs;
        }
    }
};
constexpr CostTables Costs;

// Each run lowers the temperature from T0 to T1 in TemperatureSteps steps. (Against a cost of 10 for
// one repeat more, T = 8 takes such a step 29 times in 100, T = 2 once in 150.)
constexpr double T0 = 8.0;
constexpr double T1 = 2.0;
constexpr double LogT1OverT0 = -1.3862943611198906; // ln(T1 / T0) = ln(1 / 4)
constexpr int TemperatureSteps = 64;
constexpr int AcceptTable = 1024; // uphill steps of at least this much are never taken

// The moves of a pass: runs of MinMoves or FirstRunPerCourt per court, each twice as long as the one
// before, as long as they fit in MovesPerCourt per court, at least MinMoves and at most MaxMoves, and
// for more than 100 courts at most MaxCourtMoves / courts. A move costs about 0.1 to 0.2 microseconds on
// an ordinary PC (more with more players, whose tables fill more of the cache), so a pass that runs to
// its end takes at most about half a second, and at the limits (768 courts) about a tenth; most evenings
// reach their bound in the first runs. A large evening seldom needs many moves per court: with many
// players two of them rarely meet twice.
constexpr int64_t MovesPerCourt = 40000;
constexpr int64_t FirstRunPerCourt = 200;
constexpr int64_t MinMoves = 20000;
constexpr int64_t MaxMoves = 2500000;
constexpr int64_t MaxCourtMoves = 250000000;

// e^x for x <= 0 from basic arithmetic only: (1 + x / 2^24)^(2^24) by squaring.
double expNonPositive(double x)
{
    if (x < -700)
        return 0;
    double y = 1 + x / 16777216.0;
    for (int i = 0; i < 24; ++i)
        y *= y;
    return y;
}

// SplitMix64.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0..n-1.
    int below(int n) { return int(((next() >> 32) * uint64_t(n)) >> 32); }
    uint32_t bits32() { return uint32_t(next() >> 32); }

private:
    uint64_t state_;
};

constexpr uint64_t Seed = 0x54616E64656D58ull; // "TandemX"

int repeats(int c)
{
    return c > 1 ? c - 1 : 0;
}

// Breaches of the doubles history rule by two players: rounds in which they are partners after a round
// in which they stood as a history entry.
int doublesBreaches(uint32_t partnerRounds, uint32_t entryRounds)
{
    if (entryRounds == 0)
        return 0;
    const uint32_t first = entryRounds & (~entryRounds + 1);
    return std::popcount(partnerRounds & ~((first << 1) - 1));
}

// Two men or two ladies: every mixed court they share after the first.
int sharedBreaches(uint32_t rounds)
{
    return rounds != 0 ? std::popcount(rounds) - 1 : 0;
}

// A man and a lady: rounds in which they oppose each other after a round in which they shared a court.
int crossBreaches(uint32_t crossRounds, uint32_t partnerRounds)
{
    const uint32_t shared = crossRounds | partnerRounds;
    if (shared == 0)
        return 0;
    const uint32_t first = shared & (~shared + 1);
    return std::popcount(crossRounds & ~((first << 1) - 1));
}

// The evening's numbers of a round's players: men 0..M-1, ladies M..
struct Numbering {
    int men = 0, ladies = 0;
    int id(int gender, int number) const { return gender == Men ? number - 1 : men + number - 1; }
    int number(int id) const { return id < men ? id + 1 : id - men + 1; }
};

void sortPairs(Court& c)
{
    if (c.slot[0] > c.slot[1])
        std::swap(c.slot[0], c.slot[1]);
    if (c.slot[2] > c.slot[3])
        std::swap(c.slot[2], c.slot[3]);
}

// The tables can be brought up to date (Apply) or only asked what a change would do to the cost and the
// breaches (Probe).
enum Mode : bool { Probe = false, Apply = true };

class Spreader {
public:
    explicit Spreader(ScheduleState& s)
        : s_(s), t_(s.spread), varied_(s.VariedPairs),
          groupVsGroup_((s.Settings.PlayOptions & PlayOption::GroupVsGroup) != 0)
    {
        numbering_.men = std::clamp(int(s.Run.NumMen), 0, MaxPlayers);
        numbering_.ladies = std::clamp(int(s.Run.NumLadies), 0, MaxPlayers - numbering_.men);
        stride_ = numbering_.men + numbering_.ladies;
    }

    void load();
    // What no placing of the loaded blocks can beat.
    SpreadFigures bound() const;
    void anneal(const SpreadFigures& goal);
    void store();
    SpreadFigures figures()
    {
        settleMax();
        return {maxOpponents_, opponentRepeats_, mateRepeats_};
    }

private:
    struct Key {
        int64_t breaches;
        int32_t maxOpponents, opponentRepeats, mateRepeats;
        bool operator<(const Key& o) const
        {
            if (breaches != o.breaches)
                return breaches < o.breaches;
            if (maxOpponents != o.maxOpponents)
                return maxOpponents < o.maxOpponents;
            if (opponentRepeats != o.opponentRepeats)
                return opponentRepeats < o.opponentRepeats;
            return mateRepeats < o.mateRepeats;
        }
    };
    Key key()
    {
        settleMax();
        return {breaches_[0] + breaches_[1] + breaches_[2], maxOpponents_, opponentRepeats_, mateRepeats_};
    }
    // The most times two players met as opponents, kept as an upper bound while moves are applied.
    void settleMax()
    {
        while (maxOpponents_ > 0 && t_.opponentCounts[size_t(maxOpponents_)] == 0)
            --maxOpponents_;
    }

    size_t index(int x, int y) const { return x < y ? size_t(x * stride_ + y) : size_t(y * stride_ + x); }

    template <Mode M>
    void opponent(int x, int y, int d)
    {
        uint8_t& c = t_.counts[index(x, y)][0];
        const int n = c + d;
        cost_ += Costs.opponents[size_t(n)] - Costs.opponents[c];
        if constexpr (M == Apply) {
            opponentRepeats_ += repeats(n) - repeats(c);
            --t_.opponentCounts[c];
            ++t_.opponentCounts[size_t(n)];
            maxOpponents_ = std::max(maxOpponents_, n);
            c = uint8_t(n);
        }
    }
    template <Mode M>
    void mate(int x, int y, int d)
    {
        uint8_t& c = t_.counts[index(x, y)][1];
        const int n = c + d;
        cost_ += Costs.mates[size_t(n)] - Costs.mates[c];
        if constexpr (M == Apply) {
            mateRepeats_ += repeats(n) - repeats(c);
            c = uint8_t(n);
        }
    }
    template <Mode M>
    void partner(int x, int y, int d)
    {
        uint8_t& c = t_.counts[index(x, y)][2];
        const int n = c + d;
        breaches_[PartnerTwice] += repeats(n) - repeats(c);
        if constexpr (M == Apply)
            c = uint8_t(n);
    }
    // The rule tables hold round sets; d > 0 adds the round, d < 0 takes it out.
    static uint32_t toggled(uint32_t rounds, uint32_t bit, int d) { return d > 0 ? rounds | bit : rounds & ~bit; }
    template <Mode M>
    void doublesPartnerRound(int x, int y, uint32_t bit, int d)
    {
        const size_t i = index(x, y);
        const uint32_t now = toggled(t_.partnerRounds[i], bit, d);
        breaches_[DoublesHistory] += doublesBreaches(now, t_.entryRounds[i]) - doublesBreaches(t_.partnerRounds[i], t_.entryRounds[i]);
        if constexpr (M == Apply)
            t_.partnerRounds[i] = now;
    }
    // A history entry (x, y) counts only as recorded: x first. Partners are recorded lower first.
    template <Mode M>
    void entryRound(int x, int y, uint32_t bit, int d)
    {
        if (x > y)
            return;
        const size_t i = index(x, y);
        const uint32_t now = toggled(t_.entryRounds[i], bit, d);
        breaches_[DoublesHistory] += doublesBreaches(t_.partnerRounds[i], now) - doublesBreaches(t_.partnerRounds[i], t_.entryRounds[i]);
        if constexpr (M == Apply)
            t_.entryRounds[i] = now;
    }
    template <Mode M>
    void sharedRound(int x, int y, uint32_t bit, int d)
    {
        const size_t i = index(x, y);
        const uint32_t now = toggled(t_.sharedRounds[i], bit, d);
        breaches_[MixedHistory] += sharedBreaches(now) - sharedBreaches(t_.sharedRounds[i]);
        if constexpr (M == Apply)
            t_.sharedRounds[i] = now;
    }
    template <Mode M>
    void crossRound(int man, int lady, uint32_t bit, int d)
    {
        const size_t i = index(man, lady);
        const uint32_t now = toggled(t_.sharedRounds[i], bit, d);
        breaches_[MixedHistory] += crossBreaches(now, t_.mixedPartnerRounds[i]) - crossBreaches(t_.sharedRounds[i], t_.mixedPartnerRounds[i]);
        if constexpr (M == Apply)
            t_.sharedRounds[i] = now;
    }
    template <Mode M>
    void mixedPartnerRound(int man, int lady, uint32_t bit, int d)
    {
        const size_t i = index(man, lady);
        const uint32_t now = toggled(t_.mixedPartnerRounds[i], bit, d);
        breaches_[MixedHistory] += crossBreaches(t_.sharedRounds[i], now) - crossBreaches(t_.sharedRounds[i], t_.mixedPartnerRounds[i]);
        if constexpr (M == Apply)
            t_.mixedPartnerRounds[i] = now;
    }

    // Add (d = 1) or take out (d = -1) what a court gives the tables: all of it; the two players of the
    // pair in places i, i + 1; the player in place p against the other pair; the doubles history entries.
    template <Mode M>
    void touch(const Court& c, int d);
    template <Mode M>
    void touchPair(const Court& c, int i, int d);
    template <Mode M>
    void touchAcross(const Court& c, int p, int d);
    template <Mode M>
    void touchEntries(const Court& c, int d);

    // A move and the part of the tables it changes. PairExchange: two courts exchange a pair (places i,
    // i + 1 of the first and j, j + 1 of the second); Flip: a court's pairs change places; PlayerSwap:
    // the player in place i of one court and in place j of another change places; Whole: the same
    // within one court, or where the order within the pairs counts, with the courts taken out whole.
    // Apart from Whole, no two players whose tables a move changes are changed twice by it, so a Probe
    // of the move against the tables as they stand tells its effect.
    struct Move {
        enum Kind : uint8_t { PairExchange, Flip, PlayerSwap, Whole } kind = Whole;
        int c1 = 0, c2 = 0, i = 0, j = 0;
    };
    template <Mode M>
    void touchMove(const Move& m, int d);
    Move propose(class Random& random);
    void perform(const Move& m);
    // A court; one where two players met before is taken where up to three tries find one.
    int pickCourt(Random& random);
    bool courtHasRepeat(const Court& c) const;

    ScheduleState& s_;
    SpreadTables& t_;
    Numbering numbering_;
    int stride_ = 0;
    bool varied_;
    bool groupVsGroup_;
    int64_t cost_ = 0;
    // Breaches per rule: a partnership twice, the doubles history, the mixed history.
    enum Rule { PartnerTwice, DoublesHistory, MixedHistory };
    std::array<int64_t, 3> breaches_{};
    int32_t maxOpponents_ = 0, opponentRepeats_ = 0, mateRepeats_ = 0;
};

template <Mode M>
void Spreader::touchPair(const Court& c, int i, int d)
{
    const int x = c.slot[size_t(i)], y = c.slot[size_t(i + 1)];
    const uint32_t bit = uint32_t(1) << c.round;
    mate<M>(x, y, d);
    partner<M>(x, y, d);
    if (c.category != MixedDoubles) {
        if (varied_)
            doublesPartnerRound<M>(x, y, bit, d);
        return;
    }
    // A mixed pair: with "Groep 1 tegen Groep 2" the man plays against his lady.
    if (groupVsGroup_)
        opponent<M>(x, y, d);
    if (varied_)
        mixedPartnerRound<M>(x, y, bit, d);
}

template <Mode M>
void Spreader::touchAcross(const Court& c, int p, int d)
{
    const int x = c.slot[size_t(p)];
    const uint32_t bit = uint32_t(1) << c.round;
    const int other = p < 2 ? 2 : 0;
    for (int q = other; q < other + 2; ++q) {
        const int y = c.slot[size_t(q)];
        mate<M>(x, y, d);
        if (c.category != MixedDoubles) {
            opponent<M>(x, y, d);
            continue;
        }
        // Mixed: places 1 and 3 hold the men, 2 and 4 the ladies.
        const bool sameGender = (p & 1) == (q & 1);
        if (groupVsGroup_ && sameGender)
            partner<M>(x, y, d);
        else
            opponent<M>(x, y, d);
        if (varied_) {
            if (sameGender)
                sharedRound<M>(x, y, bit, d);
            else if (p % 2 == 0)
                crossRound<M>(x, y, bit, d);
            else
                crossRound<M>(y, x, bit, d);
        }
    }
}

template <Mode M>
void Spreader::touchEntries(const Court& c, int d)
{
    if (!varied_ || c.category == MixedDoubles)
        return;
    const uint32_t bit = uint32_t(1) << c.round;
    entryRound<M>(c.slot[0], c.slot[3], bit, d);
    entryRound<M>(c.slot[1], c.slot[2], bit, d);
}

template <Mode M>
void Spreader::touch(const Court& c, int d)
{
    touchPair<M>(c, 0, d);
    touchPair<M>(c, 2, d);
    touchAcross<M>(c, 0, d);
    touchAcross<M>(c, 1, d);
    touchEntries<M>(c, d);
}

template <Mode M>
void Spreader::touchMove(const Move& m, int d)
{
    const Court& first = t_.court[size_t(m.c1)];
    const Court& second = t_.court[size_t(m.c2)];
    switch (m.kind) {
    case Move::PairExchange:
        // The pairs stay together: only what lies across the courts changes.
        for (const Court* c : {&first, &second}) {
            touchAcross<M>(*c, 0, d);
            touchAcross<M>(*c, 1, d);
            touchEntries<M>(*c, d);
        }
        break;
    case Move::Flip:
        touchEntries<M>(first, d);
        break;
    case Move::PlayerSwap:
        touchPair<M>(first, m.i & 2, d);
        touchAcross<M>(first, m.i, d);
        touchPair<M>(second, m.j & 2, d);
        touchAcross<M>(second, m.j, d);
        break;
    case Move::Whole:
        touch<M>(first, d);
        if (m.c2 != m.c1)
            touch<M>(second, d);
        break;
    }
}

void Spreader::load()
{
    const int players = stride_;
    std::fill_n(t_.counts.begin(), players * players, std::array<uint8_t, 4>{});
    std::fill_n(t_.partnerRounds.begin(), players * players, 0);
    std::fill_n(t_.entryRounds.begin(), players * players, 0);
    std::fill_n(t_.sharedRounds.begin(), players * players, 0);
    std::fill_n(t_.mixedPartnerRounds.begin(), players * players, 0);
    t_.opponentCounts.fill(0);
    t_.opponentCounts[0] = players * (players - 1) / 2;
    t_.courtCount = 0;
    t_.movableCount = 0;
    cost_ = 0;
    breaches_ = {};
    maxOpponents_ = opponentRepeats_ = mateRepeats_ = 0;

    const int doubles = std::clamp(int(s_.Run.NumDoublesRounds), 0, MaxRounds);
    const int rounds = std::clamp(int(s_.TotalRounds), 0, MaxRounds);
    for (int r = 1; r <= rounds; ++r) {
        const RoundRecord& record = s_.ScheduleTable[size_t(r)];
        const bool mixedRound = r > doubles;
        for (int category = MenDoubles; category <= MixedDoubles; ++category) {
            if ((category == MixedDoubles) != mixedRound)
                continue;
            const CourtRange range = record.range[size_t(category)];
            const int first = std::max(1, int(range.first));
            const int last = std::min(MaxCourts, int(range.last));
            if (last < first)
                continue;
            // A block is taken only whole and only with players of its lists, each once in the round.
            std::array<std::array<bool, MaxPlayers + 1>, 2> seen{};
            bool valid = true;
            for (int k = first; k <= last && valid; ++k) {
                for (int p = 0; p < 4 && valid; ++p) {
                    const int g = category == MixedDoubles ? (p % 2 == 0 ? Men : Ladies) : category;
                    const int number = record.court[size_t(k)][size_t(p)];
                    const int count = g == Men ? numbering_.men : numbering_.ladies;
                    valid = number >= 1 && number <= count && !seen[size_t(g)][size_t(number)];
                    if (valid)
                        seen[size_t(g)][size_t(number)] = true;
                }
            }
            if (!valid)
                continue;
            const int blockFirst = t_.courtCount;
            for (int k = first; k <= last; ++k) {
                Court c;
                c.round = uint8_t(r);
                c.category = uint8_t(category);
                c.blockFirst = int16_t(blockFirst);
                c.blockSize = int16_t(last - first + 1);
                c.position = int16_t(k);
                for (int p = 0; p < 4; ++p) {
                    const int g = category == MixedDoubles ? (p % 2 == 0 ? Men : Ladies) : category;
                    c.slot[size_t(p)] = uint8_t(numbering_.id(g, record.court[size_t(k)][size_t(p)]));
                }
                t_.movable[size_t(t_.movableCount++)] = int16_t(t_.courtCount);
                t_.court[size_t(t_.courtCount++)] = c;
                touch<Apply>(c, 1);
            }
        }
    }
}

SpreadFigures Spreader::bound() const
{
    // Per player, the meetings its courts hold with men (0) and with ladies (1), as opponents and on one
    // court; per kind of two players (two men, two ladies, a man and a lady) the same summed.
    const int M = numbering_.men, L = numbering_.ladies;
    std::array<std::array<int32_t, 2>, MaxPlayers> opponents{}, mates{};
    std::array<int64_t, 3> kindOpponents{}, kindMates{};
    for (int k = 0; k < t_.courtCount; ++k) {
        const Court& c = t_.court[size_t(k)];
        for (int p = 0; p < 4; ++p) {
            const int x = c.slot[size_t(p)];
            if (c.category != MixedDoubles) {
                opponents[size_t(x)][c.category] += 2;
                mates[size_t(x)][c.category] += 3;
                continue;
            }
            const int own = p % 2, other = 1 - own;
            mates[size_t(x)][size_t(own)] += 1;
            mates[size_t(x)][size_t(other)] += 2;
            if (groupVsGroup_) {
                opponents[size_t(x)][size_t(other)] += 2;
            } else {
                opponents[size_t(x)][size_t(own)] += 1;
                opponents[size_t(x)][size_t(other)] += 1;
            }
        }
        if (c.category != MixedDoubles) {
            kindOpponents[c.category] += 4;
            kindMates[c.category] += 6;
        } else {
            kindOpponents[0] += groupVsGroup_ ? 0 : 1;
            kindOpponents[1] += groupVsGroup_ ? 0 : 1;
            kindOpponents[2] += groupVsGroup_ ? 4 : 2;
            kindMates[0] += 1;
            kindMates[1] += 1;
            kindMates[2] += 4;
        }
    }
    const std::array<int64_t, 3> pairs{int64_t(M) * (M - 1) / 2, int64_t(L) * (L - 1) / 2, int64_t(M) * L};
    SpreadFigures b;
    auto ceilDiv = [](int64_t a, int64_t n) { return n > 0 ? (a + n - 1) / n : 0; };
    for (int kind = 0; kind < 3; ++kind) {
        // Each player's meetings beyond the players there are of that kind are repeats; a repeat of two
        // men (or two ladies) counts for both of them, one of a man and a lady for one man and one lady.
        std::array<int64_t, 2> excessOpponents{}, excessMates{};
        for (int x = 0; x < M + L; ++x) {
            const int g = x < M ? 0 : 1;
            if (kind < 2 && g != kind)
                continue;
            const int with = kind < 2 ? kind : 1 - g;
            const int64_t others = with == g ? (g == 0 ? M : L) - 1 : (with == 0 ? M : L);
            const int32_t o = opponents[size_t(x)][size_t(with)], m = mates[size_t(x)][size_t(with)];
            excessOpponents[size_t(g)] += std::max<int64_t>(0, o - others);
            excessMates[size_t(g)] += std::max<int64_t>(0, m - others);
            b.maxOpponents = std::max<int32_t>(b.maxOpponents, int32_t(ceilDiv(o, others)));
        }
        int64_t o = std::max<int64_t>(0, kindOpponents[size_t(kind)] - pairs[size_t(kind)]);
        int64_t m = std::max<int64_t>(0, kindMates[size_t(kind)] - pairs[size_t(kind)]);
        if (kind < 2) {
            o = std::max(o, ceilDiv(excessOpponents[size_t(kind)], 2));
            m = std::max(m, ceilDiv(excessMates[size_t(kind)], 2));
        } else {
            o = std::max({o, excessOpponents[0], excessOpponents[1]});
            m = std::max({m, excessMates[0], excessMates[1]});
        }
        b.opponentRepeats += int32_t(o);
        b.mateRepeats += int32_t(m);
        b.maxOpponents = std::max<int32_t>(b.maxOpponents, int32_t(ceilDiv(kindOpponents[size_t(kind)], pairs[size_t(kind)])));
    }
    return b;
}

bool Spreader::courtHasRepeat(const Court& c) const
{
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            if (t_.counts[index(c.slot[size_t(i)], c.slot[size_t(j)])][1] > 1)
                return true;
    return false;
}

int Spreader::pickCourt(Random& random)
{
    int c = t_.movable[size_t(random.below(t_.movableCount))];
    for (int tries = 0; tries < 2 && !courtHasRepeat(t_.court[size_t(c)]); ++tries)
        c = t_.movable[size_t(random.below(t_.movableCount))];
    return c;
}

Spreader::Move Spreader::propose(Random& random)
{
    Move m;
    m.c1 = pickCourt(random);
    const Court& first = t_.court[size_t(m.c1)];
    m.c2 = first.blockFirst + random.below(first.blockSize);
    const bool mixed = first.category == MixedDoubles;
    const int kind = random.below(4);
    if (m.c2 != m.c1 && kind < 2) {
        m.kind = Move::PairExchange;
        m.i = 2 * random.below(2);
        m.j = 2 * random.below(2);
    } else if (m.c2 == m.c1 && kind == 0 && varied_ && !mixed) {
        m.kind = Move::Flip;
    } else {
        // Two players of a gender in different pairs. Within a court, or where the doubles history reads
        // the order within the pairs (which a swap may change), the courts are taken out whole.
        m.kind = m.c2 == m.c1 || (varied_ && !mixed) ? Move::Whole : Move::PlayerSwap;
        if (mixed) {
            const int gender = random.below(2);
            m.i = gender + 2 * random.below(2);
            m.j = m.c2 == m.c1 ? m.i ^ 2 : gender + 2 * random.below(2);
        } else {
            m.i = random.below(4);
            m.j = m.c2 == m.c1 ? (m.i < 2 ? 2 : 0) + random.below(2) : random.below(4);
        }
    }
    return m;
}

void Spreader::perform(const Move& m)
{
    Court& first = t_.court[size_t(m.c1)];
    Court& second = t_.court[size_t(m.c2)];
    switch (m.kind) {
    case Move::PairExchange:
        std::swap(first.slot[size_t(m.i)], second.slot[size_t(m.j)]);
        std::swap(first.slot[size_t(m.i + 1)], second.slot[size_t(m.j + 1)]);
        break;
    case Move::Flip:
        std::swap(first.slot[0], first.slot[2]);
        std::swap(first.slot[1], first.slot[3]);
        break;
    case Move::PlayerSwap:
    case Move::Whole:
        std::swap(first.slot[size_t(m.i)], second.slot[size_t(m.j)]);
        // Doubles pairs are kept lower number first, as the calculation records them (a PlayerSwap's
        // are sorted once it is taken: its tables do not read the order).
        if (m.kind == Move::Whole && first.category != MixedDoubles) {
            sortPairs(first);
            sortPairs(second);
        }
        break;
    }
}

void Spreader::anneal(const SpreadFigures& goal)
{
    t_.tried = t_.taken = 0;
    std::copy_n(t_.court.begin(), t_.courtCount, t_.best.begin());
    std::copy_n(t_.court.begin(), t_.courtCount, t_.start.begin());
    Key best = key();
    auto atGoal = [&](const Key& k) {
        return k.breaches == 0 && k.maxOpponents <= goal.maxOpponents && k.opponentRepeats <= goal.opponentRepeats
            && k.mateRepeats <= goal.mateRepeats;
    };
    if (t_.movableCount == 0 || atGoal(best))
        return;
    Random random(Seed);
    bool bestPending = false; // the current evening is the best one and not yet copied
    std::array<uint32_t, AcceptTable> accept{};
    const int64_t budget = t_.moveLimit > 0 ? std::min(t_.moveLimit, SpreadMoves(t_.courtCount)) : SpreadMoves(t_.courtCount);
    int64_t left = budget;
    bool done = false;
    for (int64_t moves = std::min(SpreadFirstRun(t_.courtCount), budget); moves > 0 && !done;
         left -= moves, moves = 2 * moves <= left - moves ? 2 * moves : left - moves) {
        // A run after which the next would not fit takes the rest.
        if (left - moves < 2 * moves)
            moves = left;
        if (left < budget) {
            // A new run starts from the calculated evening again.
            if (bestPending)
                std::copy_n(t_.court.begin(), t_.courtCount, t_.best.begin());
            bestPending = false;
            for (int c = 0; c < t_.courtCount; ++c)
                touch<Apply>(t_.court[size_t(c)], -1);
            std::copy_n(t_.start.begin(), t_.courtCount, t_.court.begin());
            for (int c = 0; c < t_.courtCount; ++c)
                touch<Apply>(t_.court[size_t(c)], 1);
        }
        const int64_t perStep = std::max<int64_t>(1, moves / TemperatureSteps);
        for (int64_t move = 0; move < moves; ++move) {
            if (move % perStep == 0) {
                const double step = double(std::min<int64_t>(move / perStep, TemperatureSteps - 1));
                const double temperature = T0 * expNonPositive(LogT1OverT0 * step / double(TemperatureSteps - 1));
                const double factor = expNonPositive(-1.0 / temperature);
                double p = 1;
                for (int d = 0; d < AcceptTable; ++d, p *= factor)
                    accept[size_t(d)] = uint32_t(4294967295.0 * p);
            }
            const Move m = propose(random);
            Court& first = t_.court[size_t(m.c1)];
            Court& second = t_.court[size_t(m.c2)];
            const Court old1 = first, old2 = second;
            const int64_t cost = cost_;
            const std::array<int64_t, 3> breaches = breaches_;
            const bool probe = m.kind != Move::Whole;
            if (probe) {
                touchMove<Probe>(m, -1);
                perform(m);
                touchMove<Probe>(m, 1);
            } else {
                touchMove<Apply>(m, -1);
                perform(m);
                touchMove<Apply>(m, 1);
            }
            ++t_.tried;
            // No rule may get a breach more; a move that takes one away is taken.
            int64_t dBreaches = 0;
            bool breach = false;
            for (int rule = 0; rule < 3; ++rule) {
                dBreaches += breaches_[size_t(rule)] - breaches[size_t(rule)];
                breach = breach || breaches_[size_t(rule)] > breaches[size_t(rule)];
            }
            const int64_t dCost = cost_ - cost;
            bool take;
            if (breach)
                take = false;
            else if (dBreaches < 0)
                take = true;
            else if (dCost <= 0)
                take = true;
            else
                take = dCost < AcceptTable && random.bits32() < accept[size_t(dCost)];
            if (probe) {
                cost_ = cost;
                breaches_ = breaches;
            }
            if (!take) {
                if (!probe)
                    touchMove<Apply>(m, -1);
                first = old1;
                second = old2;
                if (!probe)
                    touchMove<Apply>(m, 1);
                continue;
            }
            if (probe) {
                // The tables still hold the courts as they were.
                const Court new1 = first, new2 = second;
                first = old1;
                second = old2;
                touchMove<Apply>(m, -1);
                first = new1;
                second = new2;
                touchMove<Apply>(m, 1);
                if (m.kind == Move::PlayerSwap && first.category != MixedDoubles) {
                    sortPairs(first);
                    sortPairs(second);
                }
            }
            ++t_.taken;
            const Key now = key();
            if (now < best) {
                best = now;
                bestPending = true;
                if (atGoal(now)) {
                    done = true; // nothing can beat an evening at the bound
                    break;
                }
            } else if (bestPending) {
                // Leaving the best evening: keep it (it is this one without the move).
                std::copy_n(t_.court.begin(), t_.courtCount, t_.best.begin());
                t_.best[size_t(m.c1)] = old1;
                t_.best[size_t(m.c2)] = old2;
                bestPending = false;
            }
        }
    }
    if (bestPending)
        std::copy_n(t_.court.begin(), t_.courtCount, t_.best.begin());
    // The tables again from the best evening.
    for (int c = 0; c < t_.courtCount; ++c)
        touch<Apply>(t_.court[size_t(c)], -1);
    std::copy_n(t_.best.begin(), t_.courtCount, t_.court.begin());
    for (int c = 0; c < t_.courtCount; ++c)
        touch<Apply>(t_.court[size_t(c)], 1);
}

void Spreader::store()
{
    for (int c = 0; c < t_.courtCount; ++c) {
        const Court& court = t_.court[size_t(c)];
        auto& places = s_.ScheduleTable[court.round].court[size_t(court.position)];
        for (int p = 0; p < 4; ++p)
            places[size_t(p)] = uint8_t(numbering_.number(court.slot[size_t(p)]));
    }
}

} // namespace

int64_t SpreadMoves(int courts)
{
    const int64_t most = courts > 100 ? MaxCourtMoves / courts : MaxMoves;
    return std::clamp<int64_t>(int64_t(courts) * MovesPerCourt, MinMoves, std::max(most, MinMoves));
}

int64_t SpreadFirstRun(int courts)
{
    return std::max<int64_t>(int64_t(courts) * FirstRunPerCourt, MinMoves);
}

SpreadFigures MeasureSpread(ScheduleState& state)
{
    Spreader spreader(state);
    spreader.load();
    return spreader.figures();
}

SpreadFigures SpreadBound(ScheduleState& state)
{
    Spreader spreader(state);
    spreader.load();
    return spreader.bound();
}

void SpreadOpponents(ScheduleState& state)
{
    Spreader spreader(state);
    spreader.load();
    state.spread.before = spreader.figures();
    state.spread.bound = spreader.bound();
    spreader.anneal(state.spread.bound);
    spreader.store();
    state.spread.after = spreader.figures();
    state.spread.applied = true;
    RebuildOpponentTables(state);
}

void RebuildOpponentTables(ScheduleState& s)
{
    const int doubles = std::clamp(int(s.Run.NumDoublesRounds), 0, MaxRounds);
    const int mixedRounds = std::clamp(int(s.Run.NumMixedRounds), 0, MaxRounds - doubles);
    auto courtsOf = [&](int round, int category) {
        const CourtRange range = s.ScheduleTable[size_t(round)].range[size_t(category)];
        return std::pair{std::max(1, int(range.first)), std::min(MaxCourts, int(range.last))};
    };
    for (int g = Men; g <= Ladies; ++g) {
        const int n = std::clamp(s.players(g), 0, MaxPlayers);
        auto& c = s.Counters[size_t(g)];
        for (int j = 1; j <= n; ++j)
            c.MetSet[size_t(j)].reset();
        auto& history = s.OpponentHistory[size_t(g)];
        history.count = std::clamp(s.spread.historyStart[size_t(g)], 0, MaxHistoryPairs);
        if (n == 0 || doubles == 0)
            continue;
        for (int r = 1; r <= doubles; ++r) {
            for (int j = 1; j <= n; ++j)
                c.RoundOpponents[size_t(j)][size_t(r)] = {0, 0};
            const auto [first, last] = courtsOf(r, g);
            for (int k = first; k <= last; ++k) {
                const auto& p = s.ScheduleTable[size_t(r)].court[size_t(k)];
                const Pair A{p[0], p[1]}, B{p[2], p[3]};
                c.RoundOpponents[A.first][size_t(r)] = {B.first, B.second};
                c.RoundOpponents[A.second][size_t(r)] = {B.first, B.second};
                c.RoundOpponents[B.first][size_t(r)] = {A.first, A.second};
                c.RoundOpponents[B.second][size_t(r)] = {A.first, A.second};
                auto& met = c.MetSet;
                met[A.first].set(A.second).set(B.first).set(B.second);
                met[A.second].set(A.first).set(B.first).set(B.second);
                met[B.first].set(A.first).set(A.second).set(B.second);
                met[B.second].set(A.first).set(A.second).set(B.first);
                if (s.VariedPairs && history.count + 2 <= MaxHistoryPairs) {
                    history.append({A.first, B.second});
                    history.append({A.second, B.first});
                }
            }
        }
    }
    auto& mixedHistory = s.MixedOpponentHistory;
    mixedHistory.count = std::clamp(s.spread.mixedHistoryStart, 0, MaxMixedHistoryEntries);
    if (mixedRounds == 0)
        return;
    auto& men = s.Counters[Men];
    auto& ladies = s.Counters[Ladies];
    const bool groupVsGroup = s.Settings.PlayOptions & PlayOption::GroupVsGroup;
    for (int r = doubles + 1; r <= doubles + mixedRounds; ++r) {
        for (int j = 1; j <= std::clamp(int(s.Run.NumMen), 0, MaxPlayers); ++j)
            men.RoundOpponents[size_t(j)][size_t(r)] = {0, 0};
        for (int j = 1; j <= std::clamp(int(s.Run.NumLadies), 0, MaxPlayers); ++j)
            ladies.RoundOpponents[size_t(j)][size_t(r)] = {0, 0};
        const auto [first, last] = courtsOf(r, MixedDoubles);
        // The calculation fills a round's opponents only when all its courts were filled.
        const bool full = last - first + 1 == s.CourtsPerRound.mixed[size_t(r - doubles)];
        for (int k = first; k <= last; ++k) {
            const auto& p = s.ScheduleTable[size_t(r)].court[size_t(k)];
            const Pair A{p[0], p[1]}, B{p[2], p[3]};
            if (s.VariedPairs && mixedHistory.count + 4 <= MaxMixedHistoryEntries) {
                mixedHistory.append(A);
                mixedHistory.append(B);
                mixedHistory.append({A.first, B.second});
                mixedHistory.append({B.first, A.second});
            }
            if (!full)
                continue;
            if (groupVsGroup) {
                men.RoundOpponents[A.first][size_t(r)] = {A.second, B.second};
                men.RoundOpponents[B.first][size_t(r)] = {B.second, A.second};
                ladies.RoundOpponents[A.second][size_t(r)] = {B.first, A.first};
                ladies.RoundOpponents[B.second][size_t(r)] = {A.first, B.first};
            } else {
                men.RoundOpponents[A.first][size_t(r)] = {B.first, B.second};
                ladies.RoundOpponents[A.second][size_t(r)] = {B.first, B.second};
                men.RoundOpponents[B.first][size_t(r)] = {A.first, A.second};
                ladies.RoundOpponents[B.second][size_t(r)] = {A.first, A.second};
            }
        }
    }
}

} // namespace tandemx::engine
