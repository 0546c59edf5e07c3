#pragma once
// The schedule tables: run inputs, player table, availability, courts per round, the schedule itself,
// the per-player counters and the work tables of the calculation. Everything lives in one
// ScheduleState with fixed sizes, created once by its owner; a calculation never allocates.
//
// Numbering: players, rounds, courts and pool positions count from 1 as the algorithms do; every
// table that is indexed that way has one extra element and leaves index 0 unused.
#include "engine/ScheduleMode.h"
#include "Blossom.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

namespace tandemx::engine {

constexpr int MaxPlayers = 200;   // per gender, and men + ladies together
constexpr int MaxCourts = 32;
constexpr int MaxRounds = 24;     // doubles + mixed rounds
constexpr int MaxRoundPairs = 2 * MaxCourts;                             // 64 pairs per category
constexpr int MaxDoublesPairs = MaxPlayers * (MaxPlayers - 1) / 2;       // 19,900
constexpr int MaxMixedPairs = MaxPlayers * MaxPlayers;                   // 40,000
constexpr int MaxHistoryPairs = 2 * MaxRounds * MaxCourts;               // 1,536 (768 courts)
constexpr int MaxMixedHistoryEntries = 4 * MaxRounds * MaxCourts;        // 3,072 (768 courts)

enum Gender : int { Men = 0, Ladies = 1 };

// Which search and pool sort a calculation uses. Reference enumerates every candidate in pool order and
// sorts with the plain selection sort; Fast skips only subtrees that cannot hold a valid complete choice
// and builds the selection sort's order directly. Both give the same schedule, messages and counters.
enum class EngineMode : uint8_t { Fast, Reference };

enum Category : int { MenDoubles = 0, LadiesDoubles = 1, MixedDoubles = 2 };

// PlayOptions bits.
namespace PlayOption {
constexpr uint16_t LadiesFirst = 1; // "Dames op de 1e banen"
constexpr uint16_t VariedPairs = 2; // "Steeds ander begin paren"
constexpr uint16_t GroupVsGroup = 4; // "Groep 1 tegen Groep 2"
}

// Key-data Options bits the engine reads.
namespace KeyOption {
constexpr uint16_t CourtWarnings = 1;
constexpr uint16_t ProgressMessages = 2;
}

// A length-prefixed string of at most N single-byte (Windows-1252) characters.
template <int N>
struct ShortString {
    uint8_t length = 0;
    std::array<char, N> chars{};

    void assign(std::string_view text)
    {
        length = uint8_t(text.size() < size_t(N) ? text.size() : size_t(N));
        for (int i = 0; i < length; ++i)
            chars[size_t(i)] = text[size_t(i)];
    }
    std::string_view view() const { return {chars.data(), length}; }
};

// One entry of the PlayerTable.
struct TNaamObj {
    uint8_t memberNumber = 0;    // low 8 bits of ClubNr (players with names only)
    int16_t clubNr = 0;          // the whole ClubNr: which member this player is (players with names only)
    ShortString<24> firstName;
    ShortString<40> lastName;
    uint8_t PlayerCode = 0;
};

// Run inputs kept by the set-up window.
struct ScheduleSettings {
    int32_t NumMen = 24;
    int32_t NumLadies = 24;
    int32_t NumDoublesRounds = 4;
    int32_t NumMixedRounds = 2;
    int32_t NumCourts = 10;
    uint16_t PlayOptions = 2;
    uint16_t PauseOptions = 0; // bits 0-1 "Pauzes voor 3 X spelen", bits 2-3 "Pauzes voor 2 X spelen"
    engine::ScheduleMode ScheduleMode = engine::ScheduleMode::None;
    bool SpreadOpponents = false; // "Tegenstanders spreiden": the spreading pass after the calculation
};

// The engine's working copy of the first five inputs, taken at Start.
struct RunCounts {
    int32_t NumMen = 0;
    int32_t NumLadies = 0;
    int32_t NumDoublesRounds = 0;
    int32_t NumMixedRounds = 0;
    int32_t NumCourts = 0;
};

struct Pair {
    uint8_t first = 0;  // lower number first in doubles; the man in mixed
    uint8_t second = 0; // the lady in mixed
    bool operator==(const Pair&) const = default;
};

// A counted list of pairs, positions 1..count.
template <int N>
struct PairList {
    int32_t count = 0;
    std::array<Pair, N + 1> pairs{};

    void append(Pair p) { pairs[size_t(++count)] = p; }
    Pair& operator[](int position) { return pairs[size_t(position)]; }
    const Pair& operator[](int position) const { return pairs[size_t(position)]; }
};

// Byte j of a round: 0 not available, 1..63 the most rounds the player plays, 102..110 a forced pause.
struct AvailabilityRecord {
    int32_t count = 0; // players unavailable in the round
    std::array<uint8_t, MaxPlayers + 1> player{};
};

inline bool isAvailable(uint8_t a) { return a != 0 && a < 102; }
inline bool isForcedPause(uint8_t a) { return a > 101; }

struct CourtsPerRoundTable {
    std::array<uint8_t, MaxRounds + 1> men{};    // doubles round 1..24
    std::array<uint8_t, MaxRounds + 1> ladies{}; // doubles round 1..24
    std::array<uint8_t, MaxRounds + 1> mixed{};  // mixed round 1..24
};

struct CourtRange {
    int32_t first = 0;
    int32_t last = 0;
    bool operator==(const CourtRange&) const = default;
};

struct RoundRecord {
    std::array<CourtRange, 3> range{}; // men's doubles, ladies' doubles, mixed doubles
    std::array<std::array<uint8_t, 4>, MaxCourts + 1> court{}; // courts 1..32, places 0..3
    bool operator==(const RoundRecord&) const = default;
};

struct GenderCounters {
    std::array<uint8_t, MaxPlayers + 1> TimesPlayed{};
    std::array<uint8_t, MaxPlayers + 1> PausedLastRound{};
    std::array<std::bitset<208>, MaxPlayers + 1> MetSet{};
    // [player][round] the opposing pair faced in that round; 0 0 when the player did not play.
    std::array<std::array<std::array<uint8_t, 2>, MaxRounds + 1>, MaxPlayers + 1> RoundOpponents{};
};

struct MustPlay {
    int32_t count = 0;
    std::array<uint8_t, MaxPlayers + 1> player{}; // positions 1..count
};

// The overview work tables of one gender (filled by the overviews; reset before each calculation).
struct OverviewRecord {
    int32_t count = 0;
    std::array<uint8_t, MaxPlayers + 1> player{};
};

// What a schedule's courts give the opponents: the most times two players met as opponents, the sum over
// all two players of (times met as opponents - 1) where above 0, and the same sum for "on one court".
struct SpreadFigures {
    int32_t maxOpponents = 0;
    int32_t opponentRepeats = 0;
    int32_t mateRepeats = 0;
    bool operator==(const SpreadFigures&) const = default;
};

// The work tables of the spreading pass (OpponentSpread.cpp). Players have one number for the evening:
// the men 0..M-1, then the ladies M..M+L-1; tables of two players are indexed [lower * (M + L) +
// higher]. Round sets are bits 1..24.
struct SpreadTables {
    static constexpr int MaxEveningCourts = MaxRounds * MaxCourts; // 768
    static constexpr int PairSlots = MaxPlayers * MaxPlayers;
    struct Court {
        std::array<uint8_t, 4> slot{}; // places 1..4 as the ScheduleTable holds them
        uint8_t round = 0;
        uint8_t category = 0;
        int16_t blockFirst = 0; // the courts of the same round and category: blockFirst..+blockSize-1
        int16_t blockSize = 0;
        int16_t position = 0; // court position in the round
    };
    int32_t courtCount = 0;
    std::array<Court, MaxEveningCourts> court{}, best{}, start{};
    std::array<int16_t, MaxEveningCourts> movable{}; // courts of blocks where some move exists
    int32_t movableCount = 0;
    // Per two players: times met as opponents, times on one court, times partners (and a spare byte).
    std::array<std::array<uint8_t, 4>, PairSlots> counts{};
    // Per two players, the rounds of the rules of "Steeds ander begin paren": doubles partners, doubles
    // history entries (counted only where recorded lower number first), mixed courts shared (two men, two
    // ladies, or a man and a lady as opponents) and mixed partners.
    std::array<uint32_t, PairSlots> partnerRounds{}, entryRounds{}, sharedRounds{}, mixedPartnerRounds{};
    std::array<int32_t, MaxRounds + 2> opponentCounts{}; // how many two players met c times
    // The histories' lengths when the calculation started (the pass rewrites what it added).
    std::array<int32_t, 2> historyStart{};
    int32_t mixedHistoryStart = 0;
    // At most this many moves when above 0 (tests lower the pass's work this way).
    int64_t moveLimit = 0;
    // The last pass: figures before and after, moves tried and taken.
    bool applied = false;
    SpreadFigures before, after, bound;
    int64_t tried = 0, taken = 0;
};

// Settings of the fast search's tests (tests set them).
struct PruningSettings {
    // Candidates a search examines before its costlier tests join in (0: from the start; -1: twice the
    // pool + 4000).
    int32_t exactFrom = -1;
};

// A varied-pairs mixed round whose search ends without a valid choice is planned again by the mend
// (MixedMend.cpp). Both searches of such a round have a work limit, counted in the engine's own units
// of about a nanosecond of work each on an ordinary PC: a candidate examined is MixedCandidateWork
// units, a unit of the fast search's costlier tests MixedTestWork (testWork) or MixedChainWork
// (chainWork), a player or pool pair looked at by its other tests (lookWork) MixedLookWork (the weights
// come from timing the fast engine on a random walk over evenings of up to 40 + 40 players; a unit's
// real cost varies about twofold). Each search of each round gets the whole MixedSearchWorkLimit,
// whatever the rounds before it spent, so a calculation spends at most two limits per mixed round on
// them: 720 million units in 24 rounds. The limit is set so low that such an evening still takes well
// under a second (900 evenings of 24 varied-pairs rounds of up to 40 + 40 players spent at most 563
// million units, 0.4 s of CPU time for the whole tandemx-cli run).
// A literal search stopped there counts as one without a valid choice, so the mend plans the round; a
// mend stopped there has found nothing. Work is counted, not timed: an evening gives the same schedule
// on every machine, and a round whose literal search ends within the limit is the round the search
// without a limit gives. The reference engine counts no work (see MixedMend.cpp).
constexpr int64_t MixedSearchWorkLimit = 15'000'000;
constexpr int64_t MixedCandidateWork = 12;
constexpr int64_t MixedTestWork = 5;
constexpr int64_t MixedChainWork = 9;
constexpr int64_t MixedLookWork = 2;

// How a mixed round was planned, as bits per overall round.
namespace RoundPlan {
constexpr uint8_t WorkLimit = 1; // the literal search reached its work limit
constexpr uint8_t Mended = 2;    // the mend planned the round
constexpr uint8_t MendLimit = 4; // the mend reached its work limit
}

struct MixedMend {
    // The limits of the literal search and of the mend, each per round (tests lower them).
    int64_t searchLimit = MixedSearchWorkLimit;
    int64_t mendLimit = MixedSearchWorkLimit;
    int64_t limit = 0; // the current search's limit
    int64_t work = 0;  // the current search: candidates examined
    std::array<uint8_t, MaxRounds + 1> plan{}; // RoundPlan bits per overall round of this calculation
    // The work of each mixed round's literal search and mend, in the units of the limits, per overall
    // round of this calculation (none in the reference engine).
    std::array<int64_t, MaxRounds + 1> searchWork{}, mendWork{};
    // The mend's chosen pool positions, which of them may share a court, and the courts' matching.
    std::array<int32_t, MaxRoundPairs + 1> position{};
    std::array<uint64_t, MaxRoundPairs> together{};
    BlossomTables<MaxRoundPairs> blossom;
};

namespace pruning {
struct Workspace;
}

// The work tables of the search's tests (engine/pruning/), made with the state so that a calculation
// never allocates; only the engine looks inside. A copy of the state gets tables of its own: they carry
// nothing from one search to the next.
class SearchWorkspace {
public:
    SearchWorkspace();
    SearchWorkspace(const SearchWorkspace&);
    SearchWorkspace& operator=(const SearchWorkspace&);
    ~SearchWorkspace();

    pruning::Workspace& operator*() const { return *tables_; }
    pruning::Workspace* operator->() const { return tables_.get(); }

private:
    std::unique_ptr<pruning::Workspace> tables_;
};

struct ScheduleState {
    // Which search and sort the calculation uses.
    EngineMode Engine = EngineMode::Fast;
    // Inputs.
    ScheduleSettings Settings;
    RunCounts Run;
    int32_t TotalPlayers = 0;
    int32_t TotalRounds = 0;
    int32_t CurrentRound = 0;
    uint8_t PauseLevel = 0;
    bool LadiesFirst = false;
    bool VariedPairs = false;
    uint8_t StopRequest = 0;
    bool ScheduleBusy = false;
    // The group codes of the key data (raw bytes) and the category names built from them.
    ShortString<3> Group1Code;
    ShortString<3> Group2Code;
    std::array<ShortString<10>, 3> CategoryName;

    std::array<std::array<TNaamObj, MaxPlayers + 1>, 2> PlayerTable{};
    std::array<std::array<AvailabilityRecord, MaxRounds + 1>, 2> RoundAvailability{};
    CourtsPerRoundTable CourtsPerRound;
    std::array<RoundRecord, MaxRounds + 1> ScheduleTable{};
    std::array<GenderCounters, 2> Counters{};
    std::array<int32_t, MaxCourts + 1> CourtCodes{};

    // Work tables.
    std::array<PairList<MaxDoublesPairs>, 2> PairPool{};
    std::array<PairList<MaxDoublesPairs>, 2> WorkingPool{};
    std::array<std::array<uint8_t, MaxDoublesPairs + 1>, 2> PairWeight{};
    PairList<MaxMixedPairs> MixedPairPool;
    PairList<MaxMixedPairs> MixedWorkingPool;
    std::array<uint8_t, MaxMixedPairs + 1> MixedWeight{};
    std::array<PairList<MaxRoundPairs>, 3> RoundResult{};
    std::array<MustPlay, 2> MustPlayList{};
    std::array<PairList<MaxHistoryPairs>, 2> OpponentHistory{};
    PairList<MaxMixedHistoryEntries> MixedOpponentHistory;
    // The fast engine's reading of that history, made at the start of each mixed search: which two men,
    // which two ladies, and which man and lady (index: man, lady) some entry pair of the history joins
    // the way the history-conflict rule compares them.
    struct MetTables {
        std::array<std::bitset<MaxPlayers + 1>, MaxPlayers + 1> men{}, ladies{}, across{};
    } MixedMet;
    std::array<std::array<OverviewRecord, MaxRounds + 1>, 2> PlayerCourtTable{};
    std::array<std::array<OverviewRecord, MaxRounds + 1>, 2> PlayerGamesTable{};
    SpreadTables spread;

    // Search state.
    bool SolutionFound = false;
    bool TooFewPlayers = false;
    bool TooManyMustPlay = false;
    // Rounds of the last calculation that ended without a solution, each category's round counted
    // once (a men's and a ladies' round 2 are two).
    int32_t FailedRounds = 0;
    int32_t searchCursor = 0;
    int32_t chosenCount = 0;
    std::array<int32_t, MaxRoundPairs + 1> chosenPosition{};
    PairList<MaxMixedPairs> searchPool;  // the doubles search's filtered copy of the pool
    PairList<MaxMixedPairs> pausedPairs; // ineligible pairs with a forced pause
    std::array<std::array<uint8_t, MaxPlayers + 1>, 2> inChosen{}; // per gender: player is in a chosen pair
    std::array<AvailabilityRecord, 2> mixedAvailability{}; // the mixed search's prepared copies
    std::array<std::bitset<MaxPlayers + 1>, MaxPlayers + 1> historyPair{}; // (p, q) in the history
    std::array<std::bitset<MaxPlayers + 1>, 2> hasEligiblePair{};
    std::array<int32_t, MaxMixedPairs + 1> sortPosition{}; // the fast pool sort's positions of one weight
    PruningSettings pruning;
    SearchWorkspace search;
    MixedMend mend;

    ScheduleState();

    int players(int gender) const { return gender == Men ? Run.NumMen : Run.NumLadies; }
    std::array<uint8_t, MaxRounds + 1>& courts(int gender)
    {
        return gender == Men ? CourtsPerRound.men : CourtsPerRound.ladies;
    }
};

} // namespace tandemx::engine
