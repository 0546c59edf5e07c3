#include "ScheduleEngine.h"

#include "FixedText.h"
#include "OpponentSpread.h"
#include "pruning/Workspace.h"
#include "../messages/MessageTable.h"

#include <algorithm>
#include <stdexcept>

namespace tandemx::engine {

ScheduleState::ScheduleState()
{
    for (int k = 1; k <= MaxCourts; ++k)
        CourtCodes[size_t(k)] = k;
    Group1Code.assign("h");
    Group2Code.assign("d");
    CategoryName[0].assign(" Heren ");
    CategoryName[1].assign(" Dames ");
    CategoryName[2].assign(" Mixed ");
}

// ---------------------------------------------------------------------------------------------
// Messages, warning line, progress

void ScheduleEngine::ShowRoundMessage(int prefixNumber, int number, int round)
{
    if (number == 2 && !(host_.keyDataOptions() & KeyOption::CourtWarnings))
        return;
    FixedText text;
    if (prefixNumber != 0)
        text << messageText(prefixNumber + 21);
    if (round == 0) {
        text << messageText(number + 21);
    } else if (round >= 1 && round <= 20) {
        text << messageText(number + 21) << " in ronde :";
        text.padded(round, 2);
    }
    host_.showBericht(text.view(), Bericht::Error, Bericht::ButtonsOk);
    host_.setLastErrorState(round);
}

void ScheduleEngine::ShowFoutregel(std::string_view a, int n, int g)
{
    if (!(host_.keyDataOptions() & KeyOption::CourtWarnings))
        return;
    FixedText text;
    if (n == 0)
        text << a;
    else if (n >= 1 && n <= 10)
        text << a << " Ronde : " << n;
    else if (n >= 21 && n <= 40)
        text << a << "," << s_.CategoryName[size_t(g)].view() << " Ronde : " << n;
    host_.showFoutregel(text.view());
    host_.setLastErrorState(n);
    host_.delay(500);
}

void ScheduleEngine::progressLine(int category)
{
    if (!(host_.keyDataOptions() & KeyOption::ProgressMessages))
        return;
    FixedText text;
    text << " Berekening" << s_.CategoryName[size_t(category)].view() << " in ronde : ";
    for (int r = 1; r <= s_.CurrentRound; ++r)
        text << "," << r;
    if (s_.CurrentRound <= 7)
        host_.showProgressLine(text.view(), 45, 1);
    else
        host_.showProgressLine(text.view(), 65, 2);
    host_.delay(500);
}

pruning::Pruner* ScheduleEngine::fastPruner() const
{
    return s_.Engine == EngineMode::Fast ? &s_.search->pruner : nullptr;
}

bool ScheduleEngine::stopRequested() const
{
    return s_.StopRequest == 27 || s_.StopRequest == 3;
}

bool ScheduleEngine::userBreak()
{
    if (!host_.breakTest())
        return false;
    if (s_.StopRequest != 27 && s_.StopRequest != 3)
        s_.StopRequest = 27;
    return true;
}

void ScheduleEngine::reportFailure(int prefixNumber, int round)
{
    if (s_.TooFewPlayers)
        ShowRoundMessage(prefixNumber, RoundMessage::TooFewPlayers, round);
    else if (s_.TooManyMustPlay)
        ShowRoundMessage(prefixNumber, RoundMessage::TooManyMustPlay, round);
    else
        ShowRoundMessage(0, prefixNumber, round);
}

// ---------------------------------------------------------------------------------------------
// Availability and court checks

void ScheduleEngine::BuildRoundAvailability(int gender)
{
    const int n = s_.players(gender);
    for (int i = 1; i <= s_.TotalRounds; ++i) {
        AvailabilityRecord& rec = s_.RoundAvailability[size_t(gender)][size_t(i)];
        rec.count = 0;
        for (int j = 1; j <= n; ++j) {
            uint8_t& byte = rec.player[size_t(j)];
            byte = 24;
            if (s_.Settings.ScheduleMode != ScheduleMode::Names)
                continue;
            const int c = s_.PlayerTable[size_t(gender)][size_t(j)].PlayerCode;
            if (c < 10) {
                byte = uint8_t(c);
            } else if (c < 64) {
                byte = uint8_t(c / 10);
                if (c % 10 >= i)
                    byte = uint8_t(c % 10 + 101);
            } else {
                int k, suffix;
                if (c < 114)
                    k = c - 64, suffix = 0;
                else if (c < 164)
                    k = c - 114, suffix = 1;
                else
                    k = c - 164, suffix = 2;
                if (k < i) {
                    ++rec.count;
                    byte = 0;
                }
                if (suffix >= i)
                    byte = 102;
            }
        }
    }
}

const char* ScheduleEngine::RunInputsRefusal(const ScheduleState& s)
{
    const RunCounts& run = s.Run;
    if (run.NumMen < 0 || run.NumMen > MaxPlayers || run.NumLadies < 0 || run.NumLadies > MaxPlayers
        || run.NumMen + run.NumLadies > MaxPlayers)
        return "players outside 0..200";
    if (run.NumDoublesRounds < 0 || run.NumMixedRounds < 0 || run.NumDoublesRounds + run.NumMixedRounds > MaxRounds)
        return "rounds outside 0..24";
    if (run.NumCourts < 0 || run.NumCourts > MaxCourts)
        return "courts outside 0..32";
    if (s.TotalPlayers != run.NumMen + run.NumLadies || s.TotalRounds != run.NumDoublesRounds + run.NumMixedRounds)
        return "totals that do not add up";
    for (int r = 1; r <= run.NumDoublesRounds; ++r)
        if (s.CourtsPerRound.men[size_t(r)] + s.CourtsPerRound.ladies[size_t(r)] > MaxCourts)
            return "doubles courts of a round outside 0..32";
    for (int r = 1; r <= run.NumMixedRounds; ++r)
        if (s.CourtsPerRound.mixed[size_t(r)] > MaxCourts)
            return "mixed courts of a round outside 0..32";
    return nullptr;
}

bool ScheduleEngine::CheckCourts()
{
    if (RunInputsRefusal(s_))
        return false;
    BuildRoundAvailability(Men);
    BuildRoundAvailability(Ladies);
    host_.setLastErrorState(0);
    const int D = s_.Run.NumDoublesRounds;
    for (int g = Men; g <= Ladies; ++g) {
        const int n = s_.players(g);
        auto& k = s_.courts(g);
        const auto& avail = s_.RoundAvailability[size_t(g)];
        for (int r = 1; r <= D; ++r) {
            if (r > 1 && 4 * (k[size_t(r)] + k[size_t(r - 1)]) < n - avail[size_t(r)].count - avail[size_t(r - 1)].count)
                ShowFoutregel(messageText(26), r, g); // "Te weinig banen gekozen"
            if (n < 4 * k[size_t(r)]) {
                ShowFoutregel(messageText(27), r, g); // "Te veel banen gekozen  "
                while (4 * k[size_t(r)] > n)
                    --k[size_t(r)];
                s_.Run.NumCourts = s_.CourtsPerRound.men[1] + s_.CourtsPerRound.ladies[1];
                host_.setLastErrorState(0);
            }
        }
    }
    const int M = s_.Run.NumMen, L = s_.Run.NumLadies;
    const int smaller = M < L ? Men : Ladies;
    const int n = s_.players(smaller);
    const auto& k = s_.courts(smaller);
    const auto& avail = s_.RoundAvailability[size_t(smaller)];
    auto& mixed = s_.CourtsPerRound.mixed;
    for (int r = 1; r <= s_.Run.NumMixedRounds; ++r) {
        const int R = D + r;
        const int uR = avail[size_t(R)].count;
        const int uPrev = D > 0 ? avail[size_t(R - 1)].count : 0;
        if (r == 1 && D > 0) {
            if (2 * mixed[1] + 4 * k[size_t(D)] < n - uR - uPrev)
                ShowFoutregel(messageText(26), R, MixedDoubles);
        } else if (r >= 2) {
            if (2 * (mixed[size_t(r)] + mixed[size_t(r - 1)]) < n - uR - uPrev)
                ShowFoutregel(messageText(26), R, MixedDoubles);
        }
        // Two men and two ladies per court: the smaller gender also bounds the courts.
        const int smallerSize = std::min(M, L);
        auto tooMany = [&] { return s_.TotalPlayers < 4 * mixed[size_t(r)] || 2 * mixed[size_t(r)] > smallerSize; };
        if (tooMany()) {
            ShowFoutregel(messageText(27), R, MixedDoubles);
            while (tooMany())
                --mixed[size_t(r)];
            host_.setLastErrorState(0);
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Driver

void ScheduleEngine::buildDoublesPool(int gender)
{
    const int n = s_.players(gender);
    auto& pool = s_.PairPool[size_t(gender)];
    pool.count = 0;
    for (int a = 1; a < n; ++a)
        for (int b = a + 1; b <= n; ++b)
            pool.append({uint8_t(a), uint8_t(b)});
    // Until a search builds it, the working pool is the fresh pool.
    auto& working = s_.WorkingPool[size_t(gender)];
    working.count = pool.count;
    std::copy_n(pool.pairs.begin() + 1, pool.count, working.pairs.begin() + 1);
    auto& c = s_.Counters[size_t(gender)];
    for (int j = 1; j <= n; ++j) {
        c.TimesPlayed[size_t(j)] = 0;
        c.PausedLastRound[size_t(j)] = 0;
        c.MetSet[size_t(j)].reset();
    }
}

bool ScheduleEngine::CalculateSchedule()
{
    if (RunInputsRefusal(s_)) {
        s_.SolutionFound = false;
        return false;
    }
    // Cleared before the first wait, so a Stop pressed while the working text shows is kept.
    s_.StopRequest = 0;
    s_.FailedRounds = 0;
    s_.spread.applied = false;
    s_.spread.historyStart = {s_.OpponentHistory[Men].count, s_.OpponentHistory[Ladies].count};
    s_.spread.mixedHistoryStart = s_.MixedOpponentHistory.count;
    host_.showWorkingText(1, " Ik ben aan het rekenen ....  wacht");
    host_.delay(100);
    s_.ScheduleBusy = true;
    buildDoublesPool(Men);
    for (auto& round : s_.ScheduleTable)
        round.range = {};
    host_.resetProgress(s_.TotalRounds);

    doublesPhase(Men);
    if (s_.StopRequest == 27 || s_.StopRequest == 3)
        return true;

    host_.showWorkingText(2, " Ik ben aan het rekenen ....  wacht");
    host_.delay(100);
    buildDoublesPool(Ladies);
    doublesPhase(Ladies);
    if (s_.StopRequest == 27 || s_.StopRequest == 3)
        return true;

    host_.showWorkingText(3, " Ik ben aan het rekenen ....  wacht");
    host_.delay(100);
    mixedPhase();
    if (s_.StopRequest == 27 || s_.StopRequest == 3)
        return true;
    if (s_.Settings.SpreadOpponents)
        SpreadOpponents(s_);
    s_.ScheduleBusy = false;
    return true;
}

void ScheduleEngine::doublesPhase(int gender)
{
    if (s_.players(gender) <= 0 || s_.Run.NumDoublesRounds <= 0)
        return;
    const int prefix = gender == Men ? RoundMessage::MenPrefix : RoundMessage::LadiesPrefix;
    for (s_.CurrentRound = 1; s_.CurrentRound <= s_.Run.NumDoublesRounds; ++s_.CurrentRound) {
        const int round = s_.CurrentRound;
        const int courts = s_.courts(gender)[size_t(round)];
        try {
            progressLine(gender);
            SearchDoublesRound(gender, courts);
            // A search the user stopped is no failed round: nothing is reported.
            if (stopRequested())
                return;
            if (!s_.SolutionFound) {
                ++s_.FailedRounds;
                reportFailure(prefix, round);
            }
            FormMatches(gender);
            StoreRound(gender, round);
            if (s_.VariedPairs)
                UpdateDoublesHistory(gender);
            UpdateMetSets(gender);
            UpdateDoublesCounters(gender);
            WeighPairs(gender, courts);
            auto& working = s_.WorkingPool[size_t(gender)];
            auto& pool = s_.PairPool[size_t(gender)];
            pool.count = working.count;
            std::copy_n(working.pairs.begin() + 1, working.count, pool.pairs.begin() + 1);
            SortDoublesPool(gender);
        } catch (const std::exception&) {
            ++s_.FailedRounds;
            ShowRoundMessage(prefix, RoundMessage::SelectionFailed, round);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Doubles search

void ScheduleEngine::prepareDoublesRound(int gender)
{
    const int n = s_.players(gender);
    const int round = s_.CurrentRound;
    const int level = s_.PauseLevel;
    auto& c = s_.Counters[size_t(gender)];
    auto& table = s_.RoundAvailability[size_t(gender)];
    AvailabilityRecord& rec = table[size_t(round)];
    int count = 0;
    for (int j = 1; j <= n; ++j) {
        uint8_t a = rec.player[size_t(j)];
        if (c.TimesPlayed[size_t(j)] == a)
            a = 0; // play limit reached
        const bool pausedLast = c.PausedLastRound[size_t(j)] != 0;
        if (level > 3 && a == 2) {
            if ((round == 2 && !pausedLast) || round == 3 || (round == 4 && table[2].player[size_t(j)] != 102))
                a = 102;
        } else if (level > 1 && a == 2 && round > 1 && !pausedLast) {
            a = 102;
        }
        if ((level & 1) && a == 3 && round > 1 && !pausedLast)
            a = 103;
        rec.player[size_t(j)] = a;
        if (!isAvailable(a))
            ++count;
    }
    rec.count = count;

    // Pairs formed against each other in the history may not start as partners.
    if (s_.VariedPairs) {
        for (auto& row : s_.historyPair)
            row.reset();
        const auto& history = s_.OpponentHistory[size_t(gender)];
        for (int e = 1; e <= history.count; ++e)
            s_.historyPair[history[e].first].set(history[e].second);
    }
    const auto& pool = s_.PairPool[size_t(gender)];
    s_.searchPool.count = 0;
    s_.pausedPairs.count = 0;
    s_.hasEligiblePair[size_t(gender)].reset();
    for (int k = 1; k <= pool.count; ++k) {
        const Pair p = pool[k];
        const uint8_t ap = rec.player[p.first], aq = rec.player[p.second];
        const bool inHistory = s_.VariedPairs && s_.historyPair[p.first].test(p.second);
        if (inHistory || !isAvailable(ap) || !isAvailable(aq)) {
            if (isForcedPause(ap) || isForcedPause(aq))
                s_.pausedPairs.append(p);
        } else {
            s_.searchPool.append(p);
            s_.hasEligiblePair[size_t(gender)].set(p.first);
            s_.hasEligiblePair[size_t(gender)].set(p.second);
        }
    }
}

// Players who paused last round and are available must play, unless no eligible pair is left for them.
void ScheduleEngine::buildMustPlayList(int gender, const AvailabilityRecord& availability)
{
    const int n = s_.players(gender);
    auto& list = s_.MustPlayList[size_t(gender)];
    list.count = 0;
    const auto& c = s_.Counters[size_t(gender)];
    for (int j = 1; j <= n; ++j)
        if (c.PausedLastRound[size_t(j)] && isAvailable(availability.player[size_t(j)])
            && s_.hasEligiblePair[size_t(gender)].test(size_t(j)))
            list.player[size_t(++list.count)] = uint8_t(j);
}

bool ScheduleEngine::mustPlayCheck(int gender) const
{
    const auto& list = s_.MustPlayList[size_t(gender)];
    for (int i = 1; i <= list.count; ++i)
        if (!s_.inChosen[size_t(gender)][list.player[size_t(i)]])
            return false;
    return true;
}

bool ScheduleEngine::balanceCheck(int gender, const AvailabilityRecord& availability, int minStart) const
{
    const int n = s_.players(gender);
    const auto& c = s_.Counters[size_t(gender)];
    int max = 1, min = minStart;
    for (int j = 1; j <= n; ++j) {
        const uint8_t a = availability.player[size_t(j)];
        if (!isAvailable(a))
            continue;
        const int projected = c.TimesPlayed[size_t(j)] + (s_.inChosen[size_t(gender)][size_t(j)] ? 1 : 0);
        if (projected > max)
            max = projected;
        if (a != 2 && a != 3 && projected < min)
            min = projected;
    }
    return max == min || max == min + 1;
}

void ScheduleEngine::SearchDoublesRound(int gender, int courts)
{
    s_.SolutionFound = false;
    s_.TooFewPlayers = false;
    s_.TooManyMustPlay = false;
    s_.searchCursor = 1;
    prepareDoublesRound(gender);
    auto& result = s_.RoundResult[size_t(gender)];
    result.count = 0;
    const int n = s_.players(gender);
    const AvailabilityRecord& rec = s_.RoundAvailability[size_t(gender)][size_t(s_.CurrentRound)];
    buildMustPlayList(gender, rec);
    if (n - rec.count < 4 * courts) {
        s_.TooFewPlayers = true;
        return;
    }
    auto& inChosen = s_.inChosen[size_t(gender)];
    inChosen.fill(0);
    const int needed = 2 * courts;
    int& cursor = s_.searchCursor;
    int& chosen = s_.chosenCount;
    chosen = 0;
    const auto& pool = s_.searchPool;
    auto finish = [&] {
        result.count = chosen;
        for (int k = 1; k <= chosen; ++k)
            result[k] = pool[s_.chosenPosition[size_t(k)]];
        buildWorkingPool(&s_.WorkingPool[size_t(gender)], nullptr, chosen);
    };
    // The fast engine skips subtrees without a valid complete choice. With more must-play players than
    // places the search ends at its first failed choice, which it copies out: that one is searched as is.
    pruning::Pruner* const pruner =
        needed > 0 && s_.MustPlayList[size_t(gender)].count <= 4 * courts ? fastPruner() : nullptr;
    if (pruner) {
        pruner->prepare(s_, pool, gender, gender, s_.CurrentRound, true);
        pruner->startSearch(true);
    }
    try {
        do {
            // A node that cannot be completed ends like an exhausted fill: the search backtracks.
            if (pruner && chosen < needed && !pruner->canComplete(cursor, needed - chosen))
                cursor = pool.count + 1;
            while (chosen < needed && cursor <= pool.count) {
                const Pair p = pool[cursor];
                if (pruner)
                    pruner->countCandidate();
                const bool take = !inChosen[p.first] && !inChosen[p.second] && !(pruner && pruner->excluded(p));
                if (take) {
                    s_.chosenPosition[size_t(++chosen)] = cursor;
                    inChosen[p.first] = inChosen[p.second] = 1;
                }
                ++cursor;
                if (userBreak())
                    return;
                host_.stepProgress();
                if (take && pruner && chosen < needed && !pruner->canComplete(cursor, needed - chosen))
                    cursor = pool.count + 1;
            }
            // Only a full choice is checked; a shorter one fails either way.
            bool valid = false;
            if (chosen >= 1 && chosen == needed)
                valid = mustPlayCheck(gender) && balanceCheck(gender, rec, s_.CurrentRound);
            if (chosen < needed || !valid) {
                if (s_.MustPlayList[size_t(gender)].count > 4 * courts) {
                    s_.TooManyMustPlay = true;
                    finish();
                    return;
                }
                if (chosen >= 1) {
                    cursor = s_.chosenPosition[size_t(chosen)] + 1;
                    const Pair last = pool[s_.chosenPosition[size_t(chosen)]];
                    inChosen[last.first] = inChosen[last.second] = 0;
                }
                --chosen;
            }
        } while (cursor >= 0 && chosen >= 0 && chosen != needed);
    } catch (const std::exception&) {
    }
    s_.SolutionFound = chosen == needed && needed > 0;
    finish();
}

// The new working pool: the paused pairs (with pause rules on), then the eligible pairs not chosen.
// The chosen positions ascend, so one walk over the eligible pairs skips them.
void ScheduleEngine::buildWorkingPool(PairList<MaxDoublesPairs>* doubles, PairList<MaxMixedPairs>* mixed, int chosen)
{
    const auto& eligible = mixed ? s_.MixedPairPool : s_.searchPool;
    auto append = [&](Pair p) {
        if (mixed)
            mixed->append(p);
        else
            doubles->append(p);
    };
    if (mixed)
        mixed->count = 0;
    else
        doubles->count = 0;
    if (s_.PauseLevel > 0)
        for (int k = 1; k <= s_.pausedPairs.count; ++k)
            append(s_.pausedPairs[k]);
    int next = 1;
    for (int k = 1; k <= eligible.count; ++k) {
        if (next <= chosen && s_.chosenPosition[size_t(next)] == k) {
            ++next;
            continue;
        }
        append(eligible[k]);
    }
}

// ---------------------------------------------------------------------------------------------
// Matches, store, bookkeeping

void ScheduleEngine::FormMatches(int gender)
{
    auto& result = s_.RoundResult[size_t(gender)];
    const int m = result.count;
    if (s_.CurrentRound == 1 || m < 2)
        return;
    const auto& met = s_.Counters[size_t(gender)].MetSet;
    std::array<std::array<uint8_t, MaxRoundPairs + 1>, MaxRoundPairs + 1> score{};
    for (int i = 1; i <= m; ++i) {
        for (int j = 1; j <= m; ++j) {
            if (i == j) {
                score[size_t(i)][size_t(j)] = 100;
                continue;
            }
            const Pair pi = result[i], pj = result[j];
            const auto ab = met[pi.first] | met[pi.second];
            const auto cd = met[pj.first] | met[pj.second];
            score[size_t(i)][size_t(j)] =
                uint8_t(ab.test(pj.first) + ab.test(pj.second) + cd.test(pi.first) + cd.test(pi.second));
        }
    }
    std::array<bool, MaxRoundPairs + 1> isFree{};
    std::array<int, MaxRoundPairs + 1> options{};
    for (int i = 1; i <= m; ++i)
        isFree[size_t(i)] = true;
    PairList<MaxRoundPairs> order;
    auto countEqual = [&](int row, int value) {
        int count = 0;
        for (int j = 1; j <= m; ++j)
            if (isFree[size_t(j)] && score[size_t(row)][size_t(j)] == value)
                ++count;
        return count;
    };
    auto best = [&](int row) {
        int value = 100;
        for (int j = 1; j <= m; ++j)
            if (isFree[size_t(j)] && score[size_t(row)][size_t(j)] < value)
                value = score[size_t(row)][size_t(j)];
        return value;
    };
    for (int step = 0; step < m / 2; ++step) {
        int first = 0;
        for (int k = 1; k <= m; ++k) {
            if (!isFree[size_t(k)])
                continue;
            options[size_t(k)] = countEqual(k, best(k));
            if (first == 0 || options[size_t(k)] < options[size_t(first)])
                first = k;
        }
        const int v = best(first);
        int opponent = 0, opponentCount = 0;
        for (int u = 1; u <= m; ++u) {
            if (!isFree[size_t(u)] || score[size_t(u)][size_t(first)] != v)
                continue;
            const int count = countEqual(u, v);
            if (opponent == 0 || count < opponentCount)
                opponent = u, opponentCount = count;
        }
        order.append(result[first]);
        order.append(result[opponent]);
        isFree[size_t(first)] = isFree[size_t(opponent)] = false;
    }
    // With an odd count the pair left over goes last.
    for (int k = 1; k <= m; ++k)
        if (isFree[size_t(k)])
            order.append(result[k]);
    for (int k = 1; k <= m; ++k)
        result[k] = order[k];
}

void ScheduleEngine::StoreRound(int category, int round)
{
    const auto& result = s_.RoundResult[size_t(category)];
    const int m = result.count;
    int o = 0;
    if (category == MenDoubles && s_.LadiesFirst)
        o = s_.CourtsPerRound.ladies[size_t(round)];
    else if (category == LadiesDoubles && !s_.LadiesFirst)
        o = s_.CourtsPerRound.men[size_t(round)];
    RoundRecord& rec = s_.ScheduleTable[size_t(round)];
    for (int k = 1; k <= m; ++k) {
        const int slot = o * 2 + k;
        if (slot > MaxRoundPairs)
            throw std::out_of_range("more pairs than courts in the round record");
        const int court = (slot + 1) / 2;
        const size_t place = slot % 2 == 1 ? 0 : 2;
        rec.court[size_t(court)][place] = result[k].first;
        rec.court[size_t(court)][place + 1] = result[k].second;
    }
    rec.range[size_t(category)] = {o + 1, o + m / 2};
}

void ScheduleEngine::UpdateDoublesHistory(int gender)
{
    const auto& result = s_.RoundResult[size_t(gender)];
    auto& history = s_.OpponentHistory[size_t(gender)];
    for (int t = 1; t <= result.count / 2; ++t) {
        const Pair A = result[2 * t - 1], B = result[2 * t];
        if (history.count + 2 > MaxHistoryPairs)
            throw std::out_of_range("opponent history full");
        history.append({A.first, B.second});
        history.append({A.second, B.first});
    }
}

void ScheduleEngine::UpdateMetSets(int gender)
{
    const auto& result = s_.RoundResult[size_t(gender)];
    auto& met = s_.Counters[size_t(gender)].MetSet;
    for (int t = 1; t <= result.count / 2; ++t) {
        const Pair A = result[2 * t - 1], B = result[2 * t];
        met[A.first].set(A.second).set(B.first).set(B.second);
        met[A.second].set(A.first).set(B.first).set(B.second);
        met[B.first].set(A.first).set(A.second).set(B.second);
        met[B.second].set(A.first).set(A.second).set(B.first);
    }
}

void ScheduleEngine::UpdateDoublesCounters(int gender)
{
    const auto& result = s_.RoundResult[size_t(gender)];
    auto& c = s_.Counters[size_t(gender)];
    const int round = s_.CurrentRound;
    const int n = s_.players(gender);
    for (int j = 1; j <= n; ++j) {
        c.PausedLastRound[size_t(j)] = 1;
        c.RoundOpponents[size_t(j)][size_t(round)] = {0, 0};
    }
    // Only pairs placed on a court have played.
    const int placed = result.count > 0 ? 2 * (result.count / 2) : 0;
    for (int k = 1; k <= placed; ++k) {
        for (uint8_t p : {result[k].first, result[k].second}) {
            c.PausedLastRound[p] = 0;
            ++c.TimesPlayed[p];
        }
    }
    for (int t = 1; t <= result.count / 2; ++t) {
        const Pair A = result[2 * t - 1], B = result[2 * t];
        c.RoundOpponents[A.first][size_t(round)] = {B.first, B.second};
        c.RoundOpponents[A.second][size_t(round)] = {B.first, B.second};
        c.RoundOpponents[B.first][size_t(round)] = {A.first, A.second};
        c.RoundOpponents[B.second][size_t(round)] = {A.first, A.second};
    }
}

namespace {

// Class index of a player: 0..3 for the classes 1, 2, 5, 6.
std::array<uint8_t, MaxPlayers + 1> classify(const GenderCounters& c, int n, int* pausedCount)
{
    std::array<uint8_t, MaxPlayers + 1> cls{};
    int max = 0;
    for (int j = 1; j <= n; ++j)
        max = std::max<int>(max, c.TimesPlayed[size_t(j)]);
    int paused = 0;
    for (int j = 1; j <= n; ++j) {
        const bool isPaused = c.PausedLastRound[size_t(j)] != 0;
        paused += isPaused;
        cls[size_t(j)] = uint8_t((c.TimesPlayed[size_t(j)] == max ? 0 : 1) + (isPaused ? 2 : 0));
    }
    if (pausedCount)
        *pausedCount = paused;
    return cls;
}

template <int N>
void selectionSort(PairList<N>& pool, std::array<uint8_t, N + 1>& weight)
{
    for (int i = 1; i < pool.count; ++i) {
        int best = i;
        uint8_t bestWeight = weight[size_t(i)];
        for (int j = i + 1; j <= pool.count && bestWeight < 255; ++j) {
            if (weight[size_t(j)] > bestWeight) {
                best = j;
                bestWeight = weight[size_t(j)];
            }
        }
        std::swap(pool[i], pool[best]);
        std::swap(weight[size_t(i)], weight[size_t(best)]);
    }
}

// The same order as selectionSort, built one weight at a time in linear passes.
//
// Why it is the same: let w be the largest weight at positions i..end, and let a(1) < a(2) < ... < a(k)
// be the positions of the entries of weight w there. The selection sort's steps i, i+1, .., i+k-1 each
// pick the first entry of weight w at or after the step's position and swap it there. Claim: step
// i+t-1 (t = 1..k) swaps positions i+t-1 and a(t). By induction: the steps before only wrote positions
// i..i+t-2 (now holding the first t-1 entries of weight w) and a(1)..a(t-1) (now holding entries
// lighter than w, since a lighter entry is what stood at the step's position unless it was a no-op);
// a(t)..a(k) are untouched because a(s) >= i+s-1 > i+t-2 and a(s) differs from a(1)..a(t-1). So at step
// i+t-1 the entries of weight w at or after it are exactly those at a(t)..a(k), and the first is a(t)
// (a(t) >= i+t-1 since the positions are distinct). After these k steps positions i..i+k-1 hold all
// weight-w entries and the next steps see the same situation with the next lighter weight among
// positions i+k..end. Replaying exactly these swaps therefore gives the selection sort's result.
// Cost: one pass over the unsorted rest per distinct weight (at most ten weights in the tables).
template <int N>
void weightClassSort(PairList<N>& pool, std::array<uint8_t, N + 1>& weight, std::array<int32_t, MaxMixedPairs + 1>& position)
{
    int i = 1;
    while (i < pool.count) {
        uint8_t w = 0;
        for (int j = i; j <= pool.count; ++j)
            w = std::max(w, weight[size_t(j)]);
        int k = 0;
        for (int j = i; j <= pool.count; ++j)
            if (weight[size_t(j)] == w)
                position[size_t(++k)] = j;
        for (int t = 1; t <= k; ++t, ++i) {
            const int a = position[size_t(t)];
            std::swap(pool[i], pool[a]);
            std::swap(weight[size_t(i)], weight[size_t(a)]);
        }
    }
}

} // namespace

void ScheduleEngine::WeighPairs(int gender, int courts)
{
    int paused = 0;
    const auto cls = classify(s_.Counters[size_t(gender)], s_.players(gender), &paused);
    const uint8_t S = paused <= 2 * courts ? 255 : 128;
    const uint8_t X = paused <= 2 * courts ? 128 : 255;
    const uint8_t W[4][4] = {{2, 6, 12, 32}, {6, 9, 18, S}, {12, 18, 64, 96}, {32, S, 96, X}};
    const auto& working = s_.WorkingPool[size_t(gender)];
    auto& weight = s_.PairWeight[size_t(gender)];
    for (int k = 1; k <= working.count; ++k)
        weight[size_t(k)] = W[cls[working[k].first]][cls[working[k].second]];
}

void ScheduleEngine::SortDoublesPool(int gender)
{
    if (s_.Engine == EngineMode::Reference)
        selectionSort(s_.PairPool[size_t(gender)], s_.PairWeight[size_t(gender)]);
    else
        weightClassSort(s_.PairPool[size_t(gender)], s_.PairWeight[size_t(gender)], s_.sortPosition);
}

void ScheduleEngine::WeighMixedPairs(const PairList<MaxMixedPairs>& pool)
{
    const auto men = classify(s_.Counters[Men], s_.Run.NumMen, nullptr);
    const auto ladies = classify(s_.Counters[Ladies], s_.Run.NumLadies, nullptr);
    static constexpr uint8_t W[4][4] = {{2, 6, 12, 32}, {6, 9, 18, 48}, {12, 18, 64, 128}, {32, 48, 128, 255}};
    for (int k = 1; k <= pool.count; ++k)
        s_.MixedWeight[size_t(k)] = W[men[pool[k].first]][ladies[pool[k].second]];
}

void ScheduleEngine::SortMixedPool(PairList<MaxMixedPairs>& pool)
{
    if (s_.Engine == EngineMode::Reference)
        selectionSort(pool, s_.MixedWeight);
    else
        weightClassSort(pool, s_.MixedWeight, s_.sortPosition);
}

// ---------------------------------------------------------------------------------------------
// Mixed rounds

void ScheduleEngine::mixedPhase()
{
    const int X = s_.Run.NumMixedRounds;
    if (X <= 0)
        return;
    const int D = s_.Run.NumDoublesRounds;
    auto& pool = s_.MixedPairPool;
    pool.count = 0;
    for (int m = 1; m <= s_.Run.NumMen; ++m)
        for (int l = 1; l <= s_.Run.NumLadies; ++l)
            pool.append({uint8_t(m), uint8_t(l)});
    auto& working = s_.MixedWorkingPool;
    working.count = pool.count;
    std::copy_n(pool.pairs.begin() + 1, pool.count, working.pairs.begin() + 1);
    WeighMixedPairs(pool);
    SortMixedPool(pool);
    s_.mend.plan.fill(0);
    s_.mend.searchWork.fill(0);
    s_.mend.mendWork.fill(0);
    for (s_.CurrentRound = 1; s_.CurrentRound <= X; ++s_.CurrentRound) {
        const int R = D + s_.CurrentRound;
        const int courts = s_.CourtsPerRound.mixed[size_t(s_.CurrentRound)];
        try {
            progressLine(MixedDoubles);
            SearchMixedRound(courts, R);
            s_.mend.searchWork[size_t(R)] = mixedSearchWork();
            // With varied pairs a round the search ends without (or stops at its work limit) goes to
            // the mend.
            if (s_.VariedPairs && !stopRequested()) {
                MendMixedRound(courts, R);
                s_.mend.mendWork[size_t(R)] = mixedSearchWork();
            }
            if (stopRequested())
                return;
            const bool courtsLeftEmpty = s_.RoundResult[MixedDoubles].count < 2 * courts;
            if (courtsLeftEmpty)
                ShowRoundMessage(RoundMessage::MixedPrefix, RoundMessage::SelectionFailed, R);
            if (!s_.SolutionFound)
                reportFailure(RoundMessage::MixedPrefix, R);
            if (courtsLeftEmpty || !s_.SolutionFound)
                ++s_.FailedRounds;
            StoreRound(MixedDoubles, R);
            if (s_.VariedPairs)
                UpdateMixedHistory();
            UpdateMixedCounters(R, courts);
            WeighMixedPairs(working);
            SortMixedPool(working);
            pool.count = working.count;
            std::copy_n(working.pairs.begin() + 1, working.count, pool.pairs.begin() + 1);
        } catch (const std::exception&) {
            ++s_.FailedRounds;
            ShowRoundMessage(RoundMessage::MixedPrefix, RoundMessage::SelectionFailed, s_.CurrentRound);
        }
    }
}

bool ScheduleEngine::HistoryConflict(Pair last, Pair candidate) const
{
    const uint8_t Lm = last.first, Ll = last.second, Km = candidate.first, Kl = candidate.second;
    if (s_.Engine == EngineMode::Fast) {
        const auto& met = s_.MixedMet;
        return met.men[Lm][Km] || met.ladies[Ll][Kl] || met.across[Lm][Kl] || met.across[Km][Ll];
    }
    const auto& h = s_.MixedOpponentHistory;
    for (int e = 1; e + 1 <= h.count; e += 2) {
        const Pair E1 = h[e], E2 = h[e + 1];
        if ((Lm == E1.first && Km == E2.first) || (Lm == E2.first && Km == E1.first)
            || (Ll == E2.second && Kl == E1.second) || (Ll == E1.second && Kl == E2.second)
            || (Lm == E1.first && Kl == E2.second) || (Ll == E1.second && Km == E2.first)
            || (Lm == E2.first && Kl == E1.second) || (Ll == E2.second && Km == E1.first))
            return true;
    }
    return false;
}

// The history-conflict rule per entry pair (E1, E2) reads: the two men E1, E2 in either order; the two
// ladies in either order; a man of one entry with the lady of the other. Tables of those three relations
// answer it without walking the history.
void ScheduleEngine::buildMixedMet()
{
    auto& met = s_.MixedMet;
    for (int j = 0; j <= MaxPlayers; ++j) {
        met.men[size_t(j)].reset();
        met.ladies[size_t(j)].reset();
        met.across[size_t(j)].reset();
    }
    const auto& h = s_.MixedOpponentHistory;
    for (int e = 1; e + 1 <= h.count; e += 2) {
        const Pair E1 = h[e], E2 = h[e + 1];
        met.men[E1.first].set(E2.first);
        met.men[E2.first].set(E1.first);
        met.ladies[E1.second].set(E2.second);
        met.ladies[E2.second].set(E1.second);
        met.across[E1.first].set(E2.second);
        met.across[E2.first].set(E1.second);
    }
}

void ScheduleEngine::SearchMixedRound(int courts, int overallRound)
{
    s_.SolutionFound = false;
    s_.TooFewPlayers = false;
    s_.TooManyMustPlay = false;
    startMixedWork(false);
    int& chosen = s_.chosenCount;
    int& cursor = s_.searchCursor;
    chosen = 0;
    cursor = 1;
    auto& result = s_.RoundResult[MixedDoubles];
    result.count = 0;
    const int M = s_.Run.NumMen, L = s_.Run.NumLadies;

    // Prepare a copy of each gender's availability.
    std::array<int, 2> available{};
    for (int g = Men; g <= Ladies; ++g) {
        AvailabilityRecord& copy = s_.mixedAvailability[size_t(g)];
        copy = s_.RoundAvailability[size_t(g)][size_t(overallRound)];
        const auto& c = s_.Counters[size_t(g)];
        int count = 0;
        for (int j = 1; j <= s_.players(g); ++j) {
            uint8_t& a = copy.player[size_t(j)];
            if (c.TimesPlayed[size_t(j)] == a)
                a = 0;
            if ((s_.PauseLevel & 1) && a == 3 && c.PausedLastRound[size_t(j)] == 0)
                a = 103;
            if (isAvailable(a))
                ++available[size_t(g)];
            else
                ++count;
        }
        copy.count = count;
    }
    const auto& menAvail = s_.mixedAvailability[Men];
    const auto& ladiesAvail = s_.mixedAvailability[Ladies];

    // Filter the pool in place.
    auto& pool = s_.MixedPairPool;
    s_.pausedPairs.count = 0;
    s_.hasEligiblePair[Men].reset();
    s_.hasEligiblePair[Ladies].reset();
    int kept = 0;
    for (int k = 1; k <= pool.count; ++k) {
        const Pair p = pool[k];
        const uint8_t am = menAvail.player[p.first], al = ladiesAvail.player[p.second];
        if (isAvailable(am) && isAvailable(al)) {
            pool[++kept] = p;
            s_.hasEligiblePair[Men].set(p.first);
            s_.hasEligiblePair[Ladies].set(p.second);
        } else if (isForcedPause(am) || isForcedPause(al)) {
            s_.pausedPairs.append(p);
        }
    }
    pool.count = kept;
    const int smaller = M <= L ? Men : Ladies;
    buildMustPlayList(smaller, s_.mixedAvailability[size_t(smaller)]);

    if (M + L - menAvail.count - ladiesAvail.count < 4 * courts || available[Men] < 2 * courts
        || available[Ladies] < 2 * courts) {
        s_.TooFewPlayers = true;
        return;
    }
    auto& menChosen = s_.inChosen[Men];
    auto& ladiesChosen = s_.inChosen[Ladies];
    menChosen.fill(0);
    ladiesChosen.fill(0);
    const int needed = 2 * courts;
    const bool groupVsGroup = s_.Settings.PlayOptions & PlayOption::GroupVsGroup;
    auto finish = [&] {
        result.count = chosen;
        for (int k = 1; k <= chosen; ++k)
            result[k] = pool[s_.chosenPosition[size_t(k)]];
        buildWorkingPool(nullptr, &s_.MixedWorkingPool, chosen);
    };
    // The fast engine skips subtrees without a valid complete choice, below the first chosen pair (which
    // is never replaced: it is always the first pool pair). With more must-play players than places a
    // search before the last mixed round ends at its first failed choice: that one is searched as is. In
    // the last mixed round the search goes on; every skipped subtree would have held a failure there, so
    // a skip sets TooManyMustPlay as that failure would have.
    const bool lastRound = s_.CurrentRound == s_.Run.NumMixedRounds;
    const bool tooMany = s_.MustPlayList[size_t(smaller)].count > 2 * courts;
    pruning::Pruner* const pruner = needed > 0 && (!tooMany || lastRound) ? fastPruner() : nullptr;
    if (s_.Engine == EngineMode::Fast && s_.VariedPairs)
        buildMixedMet();
    if (pruner) {
        pruner->prepare(s_, pool, -1, groupVsGroup ? -1 : smaller, overallRound, !groupVsGroup);
        pruner->startDeadEnds();
        pruner->startSearch(true);
    }
    // The pair of the court being filled, when its second pair is still to come.
    auto openPair = [&] { return chosen % 2 == 1 ? pool[s_.chosenPosition[size_t(chosen)]] : Pair{}; };
    // A node that cannot lead to a valid choice.
    auto deadEnd = [&] {
        return !pruner->canComplete(cursor, needed - chosen) || pruner->knownDeadEnd(cursor, openPair());
    };
    // With varied pairs the search has a work limit; a search that reaches it has found nothing.
    bool reachedLimit = false;
    try {
        do {
            if (pruner && chosen >= 1 && chosen < needed && deadEnd())
                cursor = pool.count + 1;
            while (chosen < needed && cursor <= pool.count) {
                if (!withinWorkLimit()) {
                    reachedLimit = true;
                    break;
                }
                ++s_.mend.work;
                const Pair p = pool[cursor];
                if (pruner)
                    pruner->countCandidate();
                bool compatible = !menChosen[p.first] && !ladiesChosen[p.second];
                if (compatible && pruner && chosen >= 1 && pruner->excluded(p)) {
                    compatible = false;
                    if (tooMany)
                        s_.TooManyMustPlay = true;
                }
                if (compatible && s_.VariedPairs && chosen % 2 == 1)
                    compatible = !HistoryConflict(pool[s_.chosenPosition[size_t(chosen)]], p);
                if (compatible) {
                    s_.chosenPosition[size_t(++chosen)] = cursor;
                    menChosen[p.first] = ladiesChosen[p.second] = 1;
                    if (pruner)
                        pruner->toggleChosen(p);
                }
                ++cursor;
                if (userBreak())
                    return;
                host_.stepProgress();
                if (compatible && pruner && chosen < needed && deadEnd())
                    cursor = pool.count + 1;
            }
            if (reachedLimit)
                break;
            bool valid = false;
            if (chosen >= 1 && chosen == needed)
                valid = groupVsGroup
                    || (mustPlayCheck(smaller) && balanceCheck(Men, menAvail, overallRound)
                        && balanceCheck(Ladies, ladiesAvail, overallRound));
            if (chosen < needed || !valid) {
                if (s_.MustPlayList[size_t(smaller)].count > 2 * courts) {
                    s_.TooManyMustPlay = true;
                    finish();
                    if (s_.CurrentRound != s_.Run.NumMixedRounds)
                        return;
                }
                if (chosen >= 1) {
                    cursor = s_.chosenPosition[size_t(chosen)] + 1;
                    const Pair last = pool[s_.chosenPosition[size_t(chosen)]];
                    // The node this pair made has been searched to its end.
                    if (pruner) {
                        if (chosen < needed)
                            pruner->recordDeadEnd(cursor, openPair());
                        pruner->toggleChosen(last);
                    }
                    menChosen[last.first] = ladiesChosen[last.second] = 0;
                }
                --chosen;
            }
            // The first chosen pair is never replaced: the search ends when it would be.
        } while (cursor >= 0 && chosen > 0 && chosen != needed);
    } catch (const std::exception&) {
    }
    if (reachedLimit) {
        while (chosen > 0) {
            const Pair p = pool[s_.chosenPosition[size_t(chosen--)]];
            menChosen[p.first] = ladiesChosen[p.second] = 0;
        }
        s_.mend.plan[size_t(overallRound)] |= RoundPlan::WorkLimit;
    }
    s_.SolutionFound = chosen == needed && needed > 0;
    finish();
}

void ScheduleEngine::UpdateMixedHistory()
{
    const auto& result = s_.RoundResult[MixedDoubles];
    auto& history = s_.MixedOpponentHistory;
    for (int t = 1; t <= result.count / 2; ++t) {
        const Pair A = result[2 * t - 1], B = result[2 * t];
        if (history.count + 4 > MaxMixedHistoryEntries)
            throw std::out_of_range("mixed opponent history full");
        history.append(A);
        history.append(B);
        history.append({A.first, B.second});
        history.append({B.first, A.second});
    }
}

void ScheduleEngine::UpdateMixedCounters(int overallRound, int courts)
{
    const auto& result = s_.RoundResult[MixedDoubles];
    auto& men = s_.Counters[Men];
    auto& ladies = s_.Counters[Ladies];
    const size_t R = size_t(overallRound);
    for (int j = 1; j <= s_.Run.NumMen; ++j) {
        men.PausedLastRound[size_t(j)] = 1;
        men.RoundOpponents[size_t(j)][R] = {0, 0};
    }
    for (int j = 1; j <= s_.Run.NumLadies; ++j) {
        ladies.PausedLastRound[size_t(j)] = 1;
        ladies.RoundOpponents[size_t(j)][R] = {0, 0};
    }
    const int placed = result.count > 0 ? 2 * (result.count / 2) : 0;
    for (int k = 1; k <= placed; ++k) {
        men.PausedLastRound[result[k].first] = 0;
        ladies.PausedLastRound[result[k].second] = 0;
        ++men.TimesPlayed[result[k].first];
        ++ladies.TimesPlayed[result[k].second];
    }
    if (result.count != 2 * courts)
        return;
    const bool groupVsGroup = s_.Settings.PlayOptions & PlayOption::GroupVsGroup;
    for (int t = 1; t <= result.count / 2; ++t) {
        const Pair A = result[2 * t - 1], B = result[2 * t];
        if (groupVsGroup) {
            men.RoundOpponents[A.first][R] = {A.second, B.second};
            men.RoundOpponents[B.first][R] = {B.second, A.second};
            ladies.RoundOpponents[A.second][R] = {B.first, A.first};
            ladies.RoundOpponents[B.second][R] = {A.first, B.first};
        } else {
            men.RoundOpponents[A.first][R] = {B.first, B.second};
            ladies.RoundOpponents[A.second][R] = {B.first, B.second};
            men.RoundOpponents[B.first][R] = {A.first, A.second};
            ladies.RoundOpponents[B.second][R] = {A.first, A.second};
        }
    }
}

} // namespace tandemx::engine
