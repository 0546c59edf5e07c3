#pragma once
// The schedule calculation: availability, court checks, the doubles and mixed rounds with their
// backtracking searches, match forming, bookkeeping, weights and pool order.
#include "ScheduleHost.h"
#include "ScheduleTables.h"

#include <string_view>

namespace tandemx::engine {

namespace pruning {
class Pruner;
}

// Prefix and reason numbers of the round messages (message table entry = number + 21).
namespace RoundMessage {
constexpr int TooManyMustPlay = 2; // "Banen te weinig ! : "
constexpr int SelectionFailed = 3; // "Selectie niet gelukt"
constexpr int TooFewPlayers = 4;   // "Banen te veel   ! "
constexpr int MenPrefix = 7;       // "Geen oplossing heren-tandem     "
constexpr int LadiesPrefix = 8;    // "Geen oplossing dames-tandem     "
constexpr int MixedPrefix = 9;     // "Geen oplossing gemengd-tandem   "
}

class ScheduleEngine {
public:
    ScheduleEngine(ScheduleState& state, ScheduleHost& host) : s_(state), host_(host) {}

    // Fills the RoundAvailability of one gender from the PlayerTable.
    void BuildRoundAvailability(int gender);
    // What a run needs of its inputs, whoever fills them: players 0..200 per gender and together,
    // rounds 0..24 in all, courts 0..32, the courts per round of the rounds in use 0..32 (the men's
    // and ladies' of a doubles round together too), and TotalPlayers and TotalRounds as the copies
    // add up. Names the first that does not hold; nullptr when all do.
    static const char* RunInputsRefusal(const ScheduleState& state);

    // Checks and corrects CourtsPerRound before a run; builds both genders' availability first.
    // False (nothing changed, nothing shown) when the inputs break RunInputsRefusal.
    bool CheckCourts();
    // The whole calculation: men's doubles rounds, ladies' doubles rounds, mixed rounds. False (nothing
    // changed, nothing shown, no solution) when the inputs break RunInputsRefusal.
    bool CalculateSchedule();

    // The warning line: text a with round or number n of category g (court warnings only).
    void ShowFoutregel(std::string_view a, int n, int g);
    // A message-table entry with an optional round, as an error; sets LastErrorState to the round.
    void ShowRoundMessage(int prefixNumber, int number, int round);

    // The steps of a round, one gender or category at a time (CurrentRound must be set). The searches
    // leave their outcome in SolutionFound, TooFewPlayers, TooManyMustPlay, the RoundResult and the
    // working pool.
    void SearchDoublesRound(int gender, int courts);
    void FormMatches(int gender);
    void StoreRound(int category, int round);
    void UpdateDoublesHistory(int gender);
    void UpdateMetSets(int gender);
    void UpdateDoublesCounters(int gender);
    void WeighPairs(int gender, int courts);
    void SortDoublesPool(int gender);
    void SearchMixedRound(int courts, int overallRound);
    // After a varied-pairs mixed search without a valid choice: the mend (see MixedSearchWorkLimit).
    // On success the RoundResult holds the courts (pairs 1 and 2 on the first, ...), the working pool is
    // built from its choice and SolutionFound is set; otherwise the search's outcome stays as it was.
    void MendMixedRound(int courts, int overallRound);
    void UpdateMixedHistory();
    void UpdateMixedCounters(int overallRound, int courts);
    void WeighMixedPairs(const PairList<MaxMixedPairs>& pool);
    void SortMixedPool(PairList<MaxMixedPairs>& pool);
    bool HistoryConflict(Pair last, Pair candidate) const;
    void buildMixedMet();

private:
    bool userBreak();
    bool stopRequested() const;
    void progressLine(int category);
    void reportFailure(int prefixNumber, int round);
    void doublesPhase(int gender);
    void mixedPhase();
    void buildDoublesPool(int gender);
    void prepareDoublesRound(int gender);
    void buildMustPlayList(int gender, const AvailabilityRecord& availability);
    bool mustPlayCheck(int gender) const;
    bool balanceCheck(int gender, const AvailabilityRecord& availability, int minStart) const;
    void buildWorkingPool(PairList<MaxDoublesPairs>* doubles, PairList<MaxMixedPairs>* mixed, int chosen);
    // The work of the current mixed search, in the units of its work limit (none in the reference
    // engine); a new search's count and limit.
    int64_t mixedSearchWork() const;
    void startMixedWork(bool mend);
    // Whether the current mixed search is still within its work limit (always, without varied pairs).
    bool withinWorkLimit() const;
    // The mend's courts: whether the chosen pairs (mend positions 1..count) can all share a court with
    // a pair they have no history conflict with; if so, writes them as courts into the RoundResult.
    bool mendCourts(const PairList<MaxMixedPairs>& pool, int count);

    // The fast engine's pruner (engine/pruning/Pruner.h), none in the reference engine: both run the
    // same searches, the fast one skipping the subtrees its pruner rules out.
    pruning::Pruner* fastPruner() const;

    ScheduleState& s_;
    ScheduleHost& host_;
};

} // namespace tandemx::engine
