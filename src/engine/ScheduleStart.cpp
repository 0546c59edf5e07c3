#include "ScheduleStart.h"

#include "FixedText.h"
#include "ScheduleEngine.h"
#include "../messages/MessageTable.h"

namespace tandemx::engine {

namespace {

char upperAscii(char ch)
{
    return ch >= 'a' && ch <= 'z' ? char(ch - 'a' + 'A') : ch;
}

// Pads or cuts a name to a fixed width with blanks.
template <int N>
void assignPadded(ShortString<N>& target, std::string_view text)
{
    target.assign(text);
    while (target.length < N)
        target.chars[target.length++] = ' ';
}

} // namespace

std::string_view trimAscii(std::string_view text)
{
    while (!text.empty() && uint8_t(text.front()) <= ' ')
        text.remove_prefix(1);
    while (!text.empty() && uint8_t(text.back()) <= ' ')
        text.remove_suffix(1);
    return text;
}

bool sameCode(std::string_view a, std::string_view b)
{
    a = trimAscii(a);
    b = trimAscii(b);
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upperAscii(a[i]) != upperAscii(b[i]))
            return false;
    return true;
}

uint8_t playerCodeFromActie(std::string_view actie, bool* beep)
{
    if (beep)
        *beep = false;
    if (actie.empty())
        return 0;
    const char first = actie[0];
    if (first >= '1' && first <= '9') {
        int value = 0;
        size_t i = 0;
        while (i < actie.size() && actie[i] >= '0' && actie[i] <= '9')
            value = value * 10 + (actie[i++] - '0');
        if (beep)
            *beep = value > 64 || i < actie.size();
        return uint8_t(value);
    }
    int code = uint8_t(upperAscii(first));
    if (actie.size() > 1 && actie[1] == '1')
        code += 50;
    else if (actie.size() > 1 && actie[1] == '2')
        code += 100;
    return uint8_t(code);
}

int BuildPlayerTable(ScheduleState& state, ScheduleHost& host, int gender, std::span<const MemberView> members,
                     std::string_view groupCode)
{
    auto& list = state.PlayerTable[size_t(gender)];
    list.fill(TNaamObj{});
    int count = 0;
    for (const MemberView& member : members) {
        if (member.actie.empty() || uint8_t(member.actie[0]) <= uint8_t('0'))
            continue;
        if (!sameCode(member.grp, groupCode))
            continue;
        ++count;
        bool beep = false;
        const uint8_t code = playerCodeFromActie(member.actie, &beep);
        if (beep)
            host.beep();
        if (count <= MaxPlayers) {
            TNaamObj& entry = list[size_t(count)];
            entry.memberNumber = uint8_t(member.clubNr & 0xFF);
            entry.clubNr = int16_t(member.clubNr);
            assignPadded(entry.firstName, member.voornaam);
            assignPadded(entry.lastName, member.achternaam);
            entry.PlayerCode = code;
        }
        if (trimAscii(member.achternaam).empty()) {
            FixedText text;
            text << "Actief lid: " << member.clubNr << " heeft geen achternaam!";
            host.showBericht(text.view(), Bericht::Warning, Bericht::ButtonsOk);
        }
    }
    list[0].firstName.assign("G r o t e   ");
    list[0].lastName.assign("O n b e k e n d e ? ");
    return count;
}

void SetGroupCodes(ScheduleState& state, std::string_view group1Code, std::string_view group2Code)
{
    state.Group1Code.assign(group1Code);
    state.Group2Code.assign(group2Code);
    auto name = [](ShortString<10>& target, std::string_view code, std::string_view letter, const char* fixed) {
        if (sameCode(code, letter)) {
            target.assign(fixed);
        } else {
            FixedText text;
            text << " Groep " << code;
            target.assign(text.view());
        }
    };
    name(state.CategoryName[0], group1Code, "H", " Heren ");
    name(state.CategoryName[1], group2Code, "D", " Dames ");
    state.CategoryName[2].assign(" Mixed ");
}

void DefaultCourts(ScheduleState& state, ScheduleHost& host)
{
    ScheduleSettings& in = state.Settings;
    state.TotalPlayers = in.NumMen + in.NumLadies;
    state.TotalRounds = in.NumDoublesRounds + in.NumMixedRounds;
    // The shares are taken of counts within the tables only: a negative count or one beyond the
    // tables proposes no courts (the set-up refuses such counts before they get here).
    const bool countsHold = in.NumMen >= 0 && in.NumLadies >= 0 && in.NumMen + in.NumLadies <= MaxPlayers
        && in.NumCourts >= 0 && in.NumCourts <= MaxCourts;
    const int T = state.TotalPlayers;
    const int courts = countsHold ? in.NumCourts : 0;
    int men = 0, ladies = 0;
    if (countsHold && in.NumMen > 0) {
        men = (in.NumMen * courts + T / 2) / T;
        ladies = in.NumLadies > 0 ? courts - men : 0;
    } else if (countsHold && in.NumLadies > 0) {
        in.PlayOptions |= PlayOption::LadiesFirst;
        ladies = (in.NumLadies * courts + T / 2) / T;
    } else {
        host.beep();
    }
    // Men's and ladies' courts go into the doubles rounds only: a mixed round has none.
    for (int r = 1; r <= MaxRounds; ++r) {
        const bool doubles = r <= in.NumDoublesRounds;
        state.CourtsPerRound.men[size_t(r)] = uint8_t(doubles ? men : 0);
        state.CourtsPerRound.ladies[size_t(r)] = uint8_t(doubles ? ladies : 0);
        state.CourtsPerRound.mixed[size_t(r)] = uint8_t(courts);
    }
    in.PauseOptions = 5;
    if (in.NumMen == 0 || in.NumLadies == 0)
        in.NumMixedRounds = 0;
    host.hideFoutregel();
}

bool PrepareStart(ScheduleState& state, ScheduleHost& host)
{
    ScheduleSettings& in = state.Settings;
    bool refused = false;
    if (in.NumMen + in.NumLadies > MaxPlayers) {
        FixedText text;
        text << messageText(28) << "\r" << messageText(40);
        host.showBericht(text.view(), Bericht::Warning, Bericht::ButtonsOk);
        refused = true;
    }
    bool roundCourts = in.NumCourts > MaxCourts;
    // The men's and ladies' courts of a doubles round lie side by side on the 32 courts.
    for (int r = 1; r <= in.NumDoublesRounds && r <= MaxRounds; ++r)
        roundCourts = roundCourts || state.CourtsPerRound.men[size_t(r)] + state.CourtsPerRound.ladies[size_t(r)] > MaxCourts;
    if (roundCourts) {
        FixedText text;
        text << messageText(28) << "\r" << messageText(42);
        host.showBericht(text.view(), Bericht::Warning, Bericht::ButtonsOk);
        refused = true;
    }
    if (refused)
        return false;

    state.TotalPlayers = in.NumMen + in.NumLadies;
    if (in.NumMen == 0)
        in.PlayOptions |= PlayOption::LadiesFirst;
    if (in.NumMen == 0 || in.NumLadies == 0)
        in.NumMixedRounds = 0;
    state.TotalRounds = in.NumDoublesRounds + in.NumMixedRounds;
    state.ScheduleBusy = state.TotalPlayers == 0;

    state.Run = {in.NumMen, in.NumLadies, in.NumDoublesRounds, in.NumMixedRounds, in.NumCourts};
    state.LadiesFirst = in.PlayOptions & PlayOption::LadiesFirst;
    state.VariedPairs = in.PlayOptions & PlayOption::VariedPairs;
    int threeTimes = in.PauseOptions & 3;
    const int twoTimes = (in.PauseOptions >> 2) & 3;
    if (threeTimes & 2) {
        host.beep();
        threeTimes &= 1;
        in.PauseOptions = uint16_t((in.PauseOptions & ~3) | threeTimes);
    }
    state.PauseLevel = uint8_t(2 * twoTimes + (threeTimes & 1));

    // The engine refuses what lies outside its tables (the set-up has refused it with its messages).
    return ScheduleEngine(state, host).CheckCourts();
}

bool ConfirmStart(ScheduleState& state, ScheduleHost& host)
{
    if (host.lastErrorState() != 0
        && host.showBericht(" Wilt U stoppen", Bericht::Question, Bericht::ButtonsJaNee) == Bericht::ResultYes)
        state.ScheduleBusy = true;
    if (state.ScheduleBusy) {
        host.hideFoutregel();
        return false;
    }
    return true;
}

void RunCalculation(ScheduleState& state, ScheduleHost& host)
{
    if (ScheduleEngine::RunInputsRefusal(state))
        return;
    state.OpponentHistory[0].count = 0;
    state.OpponentHistory[1].count = 0;
    state.MixedOpponentHistory.count = 0;
    for (int g = Men; g <= Ladies; ++g) {
        for (int r = 1; r <= state.TotalRounds; ++r) {
            for (auto* table : {&state.PlayerCourtTable, &state.PlayerGamesTable}) {
                OverviewRecord& rec = (*table)[size_t(g)][size_t(r)];
                rec.count = state.players(g);
                rec.player.fill(0);
            }
        }
    }
    if (state.Settings.ScheduleMode == ScheduleMode::Numbered) {
        for (int g = Men; g <= Ladies; ++g) {
            const ShortString<3>& code = g == Men ? state.Group1Code : state.Group2Code;
            const char letter[1] = {upperAscii(code.length > 0 ? code.chars[0] : ' ')};
            for (int j = 1; j <= state.players(g) && j <= MaxPlayers; ++j) {
                TNaamObj& entry = state.PlayerTable[size_t(g)][size_t(j)];
                entry.firstName.assign(std::string_view(letter, 1));
                FixedText last;
                last << j << "          ";
                entry.lastName.assign(last.view());
            }
        }
    }
    host.setStopVisible(true);
    if (!ScheduleEngine(state, host).CalculateSchedule()) {
        host.setStopVisible(false);
        return;
    }
    host.showWorkingText(4, " Klaar met rekenen .... ");
    // A run with failed rounds does not end like plain success: the line under the closing text
    // counts the rounds the messages named.
    if (state.FailedRounds > 0) {
        FixedText failed;
        failed << " Geen oplossing in " << state.FailedRounds << (state.FailedRounds == 1 ? " ronde" : " ronden");
        host.showProgressLine(failed.view(), 45, 1);
    }
    // After "Tegenstanders spreiden": the most times two players meet as opponents and the repeats.
    if (state.spread.applied) {
        FixedText spread;
        spread << " Tegenstanders: hoogstens " << state.spread.after.maxOpponents << " x, "
               << state.spread.after.opponentRepeats << " herhaald";
        if (state.FailedRounds > 0)
            host.showProgressLine(spread.view(), 65, 2);
        else
            host.showProgressLine(spread.view(), 45, 1);
    }
    host.delay(100);
    host.setStopVisible(false); // the closing text hides Stop
}

void StartSchedule(ScheduleState& state, ScheduleHost& host)
{
    if (!PrepareStart(state, host))
        return;
    if (!ConfirmStart(state, host))
        return;
    RunCalculation(state, host);
}

} // namespace tandemx::engine
