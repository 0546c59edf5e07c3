// Random input into every window: seeded sequences of key presses, typed text and clicks on enabled
// controls, driven through the real widgets of the program on the sample club, with every message
// answered at random. A run checks that nothing crashes (the sanitizers end the process and the
// death callback names window, seed and step), that the event loop never stalls (a watchdog thread),
// that no window stays open when asked to close, and that no file on disk changes unless the step
// gave a save command or answered a question with Ja.
//
// Under CTest each window runs a few fixed seeds for a fixed number of steps. fuzz/gui-monkey runs it
// long: TANDEMX_MONKEY_SECONDS per window with fresh seeds from TANDEMX_MONKEY_SEED, and prints the
// steps per second. TANDEMX_MONKEY_WINDOW limits a run to one window, TANDEMX_MONKEY_STEPS sets the
// steps per seed, TANDEMX_MONKEY_TRACE=1 prints every action. A finding is replayed with the window
// and seed it names.
#include "forms/AppWiring.h"
#include "forms/MatchWiring.h"
#include "forms/MemberView.h"
#include "forms/PrintWiring.h"
#include "forms/TBanenDlg.h"
#include "forms/TConfigDial.h"
#include "forms/TInvoerForm.h"
#include "forms/TMatchForm.h"
#include "forms/TMatchSelDlg.h"
#include "forms/TNewLidDlg.h"
#include "forms/TOptiesForm.h"
#include "forms/TResultsForm.h"
#include "forms/TSchemaForm.h"
#include "forms/TTandem12X.h"
#include "forms/TestSupport.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include <pthread.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

using namespace tandemx;

namespace {

// ---------------------------------------------------------------------------------------------
// Where the run is: read by the watchdog thread and by the sanitizer's death callback.

struct Whereabouts {
    std::atomic<int> seed{0};
    std::atomic<long> step{0};
    std::atomic<int64_t> beatWallNs{0};
    std::atomic<int64_t> beatCpuNs{0};
    std::atomic<bool> watching{false};
    char window[48] = {};
    char action[160] = {};
    clockid_t guiCpuClock{};
};
Whereabouts where;

int64_t nowNs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

void heartbeat()
{
    where.beatWallNs = nowNs(CLOCK_MONOTONIC);
    where.beatCpuNs = nowNs(where.guiCpuClock);
}

void describeWhere(const char* what)
{
    std::fprintf(stderr, "\nmonkey %s: window %s, seed %d, step %ld, last action: %s\n"
                         "replay: TANDEMX_MONKEY_WINDOW=%s TANDEMX_MONKEY_SEED=%d tst_monkey\n",
                 what, where.window, where.seed.load(), where.step.load(), where.action, where.window,
                 where.seed.load());
    std::fflush(stderr);
}

// A stall is the event loop not coming back for 2 s of the user-interface thread's own processor
// time (a loop that spins), or for 60 s of wall time while it uses none (a wait that never ends).
// Processor time makes the limit independent of how busy the machine is.
constexpr int64_t StallCpuNs = 2'000'000'000;
constexpr int64_t StallWallNs = 60'000'000'000;

void watchdog()
{
    while (true) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!where.watching)
            continue;
        const int64_t cpu = nowNs(where.guiCpuClock) - where.beatCpuNs;
        const int64_t wall = nowNs(CLOCK_MONOTONIC) - where.beatWallNs;
        if (cpu > StallCpuNs || wall > StallWallNs) {
            describeWhere(cpu > StallCpuNs ? "stall (event loop busy for 2 s)" : "stall (event loop blocked for 60 s)");
            std::abort();
        }
    }
}

void onSanitizerDeath() { describeWhere("sanitizer report"); }

int envInt(const char* name, int fallback)
{
    const QByteArray v = qgetenv(name);
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n : fallback;
}

// ---------------------------------------------------------------------------------------------
// The seams: messages answered at random, file dialogs answering at random inside the club's folder.

class RandomMessages : public MessageSink {
public:
    std::mt19937* rng = nullptr;
    bool closing = false;   // while the run winds down every message is cancelled
    bool saidJa = false;    // a question was answered Ja since the last file check
    long shown = 0;

    int showBericht(const QString& text, int kind, uint16_t buttons, int) override
    {
        ++shown;
        (void)text;
        (void)kind;
        if (closing || !rng)
            return cancelResult(buttons);
        static const std::pair<uint16_t, int> results[] = {
            {Btn::Bij, Result::Yes},     {Btn::Af, Result::No},         {Btn::Ja, Result::Yes},
            {Btn::Nee, Result::No},      {Btn::OK, Result::Ok},         {Btn::Schrap, Result::Cancel},
            {Btn::Breek, Result::Abort}, {Btn::Opnieuw, Result::Retry}, {Btn::Negeren, Result::Ignore},
            {Btn::Alles, Result::All},   {Btn::AllesNee, Result::NoToAll}, {Btn::AllesJa, Result::YesToAll},
        };
        std::vector<int> offered;
        for (const auto& [bit, result] : results)
            if (buttons & bit)
                offered.push_back(result);
        offered.push_back(cancelResult(buttons)); // Escape or the close box
        const int answer = offered[std::uniform_int_distribution<size_t>(0, offered.size() - 1)(*rng)];
        if (answer == Result::Yes || answer == Result::YesToAll)
            saidJa = true;
        return answer;
    }
    void beep() override {}
};

class RandomFiles : public FileDialogs {
public:
    std::mt19937* rng = nullptr;
    QString folder;
    QString clubFile;
    bool closing = false;
    bool choseSaveFile = false; // a save dialog returned a name since the last file check
    int made = 0;

    std::optional<QString> openFile(const Request&) override
    {
        if (closing || !rng)
            return std::nullopt;
        switch (pick(3)) {
        case 0:
            return std::nullopt;
        case 1:
            return clubFile;
        default:
            return folder + QStringLiteral("/ontbreekt.tdm");
        }
    }
    std::optional<QString> saveFile(const Request& r) override
    {
        if (closing || !rng)
            return std::nullopt;
        std::optional<QString> answer;
        switch (pick(3)) {
        case 0:
            break;
        case 1:
            answer = clubFile;
            break;
        default:
            answer = folder + QStringLiteral("/uitvoer%1.%2").arg(++made).arg(r.defaultExtension.isEmpty() ? QStringLiteral("txt") : r.defaultExtension);
        }
        if (answer)
            choseSaveFile = true;
        return answer;
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(*rng); }
};

// ---------------------------------------------------------------------------------------------
// The club: the sample club copied into a folder of its own, opened in the main window with every
// command wired, and a schedule computed through the set-up window.

QMap<QString, QByteArray> folderState(const QString& folder)
{
    QMap<QString, QByteArray> files;
    const QFileInfoList list = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden);
    for (const QFileInfo& info : list) {
        QFile f(info.filePath());
        const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
        files.insert(info.fileName(), QCryptographicHash::hash(bytes, QCryptographicHash::Md5));
    }
    return files;
}

struct MonkeyClub {
    QTemporaryDir dir;
    RandomMessages sink;
    Messages messages{sink};
    test::FixedClock clock;
    RandomFiles files;
    AppState state{messages, clock, files};
    std::unique_ptr<TTandem12X> window;
    QString clubFile;

    MonkeyClub()
    {
        clubFile = dir.filePath("tennisclub.tdm");
        for (const char* ext : {".tdm", ".cfg"}) {
            const QString to = dir.filePath(QStringLiteral("tennisclub") + ext);
            QVERIFY(QFile::copy(QStringLiteral(TANDEMX_EXAMPLES "/tennisclub") + ext, to));
            QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        }
        files.folder = dir.path();
        files.clubFile = clubFile;
        window = std::make_unique<TTandem12X>(state);
        wireWindows(*window);
        window->show();
        QVERIFY(window->openPath(clubFile));
        computeSchedule();
    }

    // "Schema met &Namen", "&Meer", "&Start", "&OK": the overviews and the match commands come on.
    void computeSchedule()
    {
        state.modalHooks.onShow<TSchemaForm>([](TSchemaForm& f) {
            QTimer::singleShot(0, &f, [&f] {
                f.findChild<QPushButton*>("MoreBtn")->click();
                f.findChild<QPushButton*>("StartSchemaBtn")->click();
                f.findChild<QPushButton*>("SluitBtn")->click();
            });
        });
        window->findChild<QAction*>("SchemametNamen1")->trigger();
        state.modalHooks.remove<TSchemaForm>();
        QVERIFY(window->findChild<QAction*>("Parenschema1")->isEnabled());
    }
};

// ---------------------------------------------------------------------------------------------
// The windows under test: how each is opened and how it is recognised.

struct Target {
    const char* name;
    // Opens the window (a modal one runs until it closes).
    std::function<void(MonkeyClub&, std::mt19937&)> open;
    // The window when it is shown (modal windows are found as the active modal widget).
    std::function<QWidget*(MonkeyClub&)> shown;
};

template <typename T>
QWidget* visibleWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<T*>(w) && w->isVisible())
            return w;
    return nullptr;
}

void trigger(MonkeyClub& c, const char* action)
{
    if (QAction* a = c.window->findChild<QAction*>(action); a && a->isEnabled())
        a->trigger();
}

const std::vector<Target>& targets()
{
    static const std::vector<Target> all = {
        {"main", [](MonkeyClub& c, std::mt19937&) { c.window->show(); }, [](MonkeyClub& c) -> QWidget* {
             return c.window->isVisible() ? c.window.get() : nullptr;
         }},
        {"member-dialog",
         [](MonkeyClub& c, std::mt19937& rng) {
             if (!c.window->memberViewShown())
                 return;
             if (rng() % 2)
                 c.window->memberView()->openEditMember();
             else
                 c.window->memberView()->openNewMember();
         },
         [](MonkeyClub&) { return visibleWindow<TNewLidDlg>(); }},
        {"key-data", [](MonkeyClub& c, std::mt19937&) { ShowConfig(c.state, false, c.window.get()); },
         [](MonkeyClub&) { return visibleWindow<TConfigDial>(); }},
        {"setup",
         [](MonkeyClub& c, std::mt19937& rng) {
             // With court coding every other time: the coding dialog comes first.
             c.state.club.config->keyData.options = uint16_t(rng() % 2 ? 17 | 4 : 17);
             OpenScheduleSetup(c.state, *c.window, engine::ScheduleMode(rng() % 2 + 1));
         },
         [](MonkeyClub&) { return visibleWindow<TSchemaForm>(); }},
        {"court-coding",
         [](MonkeyClub& c, std::mt19937&) {
             TSchemaForm& f = scheduleForm(c.state, *c.window);
             static std::unique_ptr<TBanenDlg> dialog;
             dialog = std::make_unique<TBanenDlg>(c.state, &f);
             OpenCourtCoding(c.state, *dialog, c.state.schedule->Settings.NumCourts);
             dialog.reset();
         },
         [](MonkeyClub&) { return visibleWindow<TBanenDlg>(); }},
        {"overview",
         [](MonkeyClub& c, std::mt19937& rng) {
             static const char* const items[] = {"Parenschema1", "BaanSchema1", "Aantalmalengespeeld1", "Kruistabel1",
                                                 "Wijzigen1", "UitvoerGames1"};
             trigger(c, items[rng() % 6]);
         },
         [](MonkeyClub&) { return visibleWindow<TResultsForm>(); }},
        {"match-selection",
         [](MonkeyClub& c, std::mt19937& rng) { trigger(c, rng() % 2 ? "NieuweMatch1" : "OpenMatch1"); },
         [](MonkeyClub&) { return visibleWindow<TMatchSelDlg>(); }},
        {"match-window", [](MonkeyClub& c, std::mt19937&) { trigger(c, "OpenMatch1"); },
         [](MonkeyClub&) { return visibleWindow<TMatchForm>(); }},
        {"game-input", [](MonkeyClub& c, std::mt19937&) { trigger(c, "InvoerGames1"); },
         [](MonkeyClub&) { return visibleWindow<TInvoerForm>(); }},
        {"options", [](MonkeyClub& c, std::mt19937& rng) { optionsForm(*c.window, c.state).ShowOptions(OptionsPage(rng() % 2)); },
         [](MonkeyClub&) { return visibleWindow<TOptiesForm>(); }},
    };
    return all;
}

// ---------------------------------------------------------------------------------------------
// The seeds that found a fault (150 steps each), kept once it was mended.
// (The first short run, seeds 1 and 2 of "options", found a margin typed as a huge number of
// millimetres overflowing the conversion to printer pixels; those seeds run every time.)
const std::pair<const char*, int> FoundSeeds[] = {
    // "&Meer" took typed rounds without their check: a round index past AvailabilityRecord[25].
    {"setup", 522826084},
    // Ladies "2147483647": the check of men + ladies against the member count overflowed.
    {"setup", 885132658},
    // A window font of 99 points typed into the font dialog of "TextFont": the main window's repaint
    // kept the event loop busy for over 2 s.
    {"options", 62393748},
    // "Sch&ud" clicked by its mnemonic a moment after the key, when the member dialog was already
    // open: the list was shuffled under the member being edited, and "&Voeg in" wrote to freed memory.
    {"main", 294180964},
};

// ---------------------------------------------------------------------------------------------
// The monkey.

const QStringList Texts = {
    "0", "1", "5", "12", "24", "-", "-5", "-3", "-1", "99", "99999", "2147483647", "2147483648", "-2147483649",
    "99999999999999999999", "x", "abc", "X", "H", "D", "h", "d", "C", "B1", "3", "é", "ü", "Ç", "ß", "€", "Renée",
    "31-12-2026", "1-2", "0101", "29022027", " 7 ", "3.5", "1e9", "0x1F", "  ", "Zuiderpark 12", "ëëëëëëëëëëëëëëëëëëëëëëëëëëëëëëëë",
};

const Qt::Key Keys[] = {
    Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Escape, Qt::Key_Up, Qt::Key_Down,
    Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Delete,
    Qt::Key_Backspace, Qt::Key_Space, Qt::Key_Insert, Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4, Qt::Key_F5,
    Qt::Key_F6, Qt::Key_F7, Qt::Key_F8, Qt::Key_F9, Qt::Key_F10, Qt::Key_F11, Qt::Key_F12, Qt::Key_0, Qt::Key_1,
    Qt::Key_5, Qt::Key_9, Qt::Key_Minus, Qt::Key_X, Qt::Key_A, Qt::Key_H, Qt::Key_D,
};

// Commands that write files without asking: a change of the files in the step that gave one is expected.
const std::set<QString> SaveActions = {"Bewaren1", "Bewarenals1", "Maximaalscherm1", "VerwijderMatch1"};
const std::set<QString> SaveButtons = {"SaveBtn", "OpslaanMatchBtn", "OkBtn"};

bool interactive(QWidget* w)
{
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w)
        || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTabBar*>(w)
        || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w);
}

class Monkey {
public:
    Monkey(MonkeyClub& club, const Target& target, int seed, long steps)
        : club_(club), target_(target), rng_(uint32_t(seed)), steps_(steps)
    {
        club_.sink.rng = &rng_;
        club_.files.rng = &rng_;
        club_.sink.closing = club_.files.closing = false;
        where.seed = seed;
        std::snprintf(where.window, sizeof where.window, "%s", target.name);
        for (const QString& name : SaveActions)
            if (QAction* a = club_.window->findChild<QAction*>(name))
                hook(a);
        files_ = folderState(club_.dir.path());
    }

    // Runs the steps, then closes what is open. Returns "" or the failure.
    QString run()
    {
        QEventLoop loop;
        loop_ = &loop;
        QTimer::singleShot(0, &loop, [this] { tick(); });
        loop.exec();
        loop_ = nullptr;
        club_.sink.rng = nullptr;
        club_.files.rng = nullptr;
        return failure_;
    }
    long stepsDone() const { return step_; }

private:
    void tick()
    {
        if (done_)
            return;
        // The next step is due as soon as the event loop is free again, also inside a modal window
        // that this step opens.
        QTimer::singleShot(0, qApp, [this] { tick(); });
        heartbeat();
        ++step_;
        where.step = step_;
        if (!checkFiles() && failure_.isEmpty())
            failure_ = changedFiles_;
        hookSaveButtons();
        // After the last step, or once something failed, the open windows are closed before the run
        // ends (a modal window left open would keep its event loop running).
        if (step_ > steps_ || !failure_.isEmpty())
            return windDown();
        act();
    }

    // Files may change only in a step that gave a save command or answered Ja.
    bool checkFiles()
    {
        const auto now = folderState(club_.dir.path());
        const bool allowed = saveCommand_ || club_.sink.saidJa || club_.files.choseSaveFile;
        saveCommand_ = club_.sink.saidJa = club_.files.choseSaveFile = false;
        if (now != files_ && !allowed) {
            QStringList changed;
            for (auto it = now.begin(); it != now.end(); ++it)
                if (files_.value(it.key()) != it.value())
                    changed << it.key();
            for (auto it = files_.begin(); it != files_.end(); ++it)
                if (!now.contains(it.key()))
                    changed << it.key();
            changedFiles_ = QStringLiteral("files changed without a save command or a Ja: %1 (window %2, seed %3, "
                                           "step %4, action %5)")
                           .arg(changed.join(", "), target_.name)
                           .arg(where.seed.load())
                           .arg(step_)
                           .arg(QString::fromUtf8(where.action));
            return false;
        }
        files_ = now;
        return true;
    }

    void hook(QAction* a)
    {
        if (hooked_.insert(a).second)
            QObject::connect(a, &QAction::triggered, [this] { saveCommand_ = true; });
    }

    void hookSaveButtons()
    {
        for (QWidget* top : QApplication::topLevelWidgets())
            for (QAbstractButton* b : top->findChildren<QAbstractButton*>())
                if (SaveButtons.count(b->objectName()) && hooked_.insert(b).second)
                    QObject::connect(b, &QAbstractButton::clicked, [this] { saveCommand_ = true; });
    }

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    void note(const QString& what, QWidget* w = nullptr)
    {
        QString text = what;
        if (w)
            text += QStringLiteral(" on ") + QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
        std::snprintf(where.action, sizeof where.action, "%s", text.toUtf8().constData());
        if (trace_)
            std::fprintf(stderr, "step %ld: %s\n", step_, where.action);
    }

    QWidget* root()
    {
        if (QWidget* modal = QApplication::activeModalWidget())
            return modal;
        return target_.shown(club_);
    }

    void act()
    {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            auto* menu = qobject_cast<QMenu*>(popup);
            QList<QAction*> actions;
            if (menu)
                for (QAction* a : menu->actions())
                    if (a->isEnabled() && a->isVisible() && !a->isSeparator())
                        actions << a;
            if (!actions.isEmpty() && pick(2)) {
                QAction* a = actions[pick(int(actions.size()))];
                note(QStringLiteral("popup item ") + a->text());
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
            } else {
                note(QStringLiteral("Escape in popup"), popup);
                QTest::keyClick(popup, Qt::Key_Escape);
            }
            return;
        }
        QWidget* w = root();
        if (!w) {
            note(QStringLiteral("open ") + QString::fromLatin1(target_.name));
            target_.open(club_, rng_);
            return;
        }
        if (!w->isActiveWindow())
            w->activateWindow();
        switch (pick(12)) {
        case 0:
        case 1:
        case 2:
        case 3:
            return click(w);
        case 4:
        case 5:
        case 6:
            return key(w);
        case 7:
        case 8:
        case 9:
            return type(w);
        case 10:
            return mnemonic(w);
        default:
            return menuCommand(w);
        }
    }

    QWidget* focusIn(QWidget* w)
    {
        QWidget* f = QApplication::focusWidget();
        return f && f->window() == w ? f : w;
    }

    void click(QWidget* w)
    {
        std::vector<QWidget*> candidates;
        for (QWidget* c : w->findChildren<QWidget*>())
            if (c->window() == w && c->isVisible() && c->isEnabled() && interactive(c) && !c->rect().isEmpty())
                candidates.push_back(c);
        if (candidates.empty())
            return key(w);
        QWidget* c = candidates[size_t(pick(int(candidates.size())))];
        if (auto* view = qobject_cast<QAbstractItemView*>(c))
            c = view->viewport();
        else if (auto* text = qobject_cast<QPlainTextEdit*>(c))
            c = text->viewport();
        else if (auto* text = qobject_cast<QTextEdit*>(c))
            c = text->viewport();
        const QPoint at(pick(std::max(1, c->width())), pick(std::max(1, c->height())));
        const bool right = pick(10) == 0;
        const bool twice = !right && pick(8) == 0;
        const bool onButton = qobject_cast<QAbstractButton*>(c) != nullptr;
        const QPoint point = onButton ? c->rect().center() : at;
        note(QStringLiteral("%1 at %2,%3").arg(right ? "right click" : twice ? "double click" : "click").arg(point.x()).arg(point.y()), c);
        QPointer<QWidget> guard(c);
        if (twice)
            QTest::mouseDClick(c, Qt::LeftButton, {}, point);
        else
            QTest::mouseClick(c, right ? Qt::RightButton : Qt::LeftButton, {}, point);
        if (right && guard) {
            // A context menu event as the platform sends it after a right click.
            QContextMenuEvent menu(QContextMenuEvent::Mouse, point, guard->mapToGlobal(point));
            QApplication::sendEvent(guard, &menu);
        }
    }

    void key(QWidget* w)
    {
        QWidget* f = focusIn(w);
        const Qt::Key k = Keys[pick(int(std::size(Keys)))];
        const Qt::KeyboardModifiers mods = pick(12) == 0 ? Qt::ShiftModifier : pick(20) == 0 ? Qt::ControlModifier : Qt::NoModifier;
        note(QStringLiteral("key %1 mods %2").arg(int(k), 0, 16).arg(int(mods), 0, 16), f);
        if (k == Qt::Key_F3)
            saveCommand_ = true;
        QTest::keyClick(f, k, mods);
    }

    void type(QWidget* w)
    {
        QPointer<QWidget> f = focusIn(w);
        QString text = Texts[pick(int(Texts.size()))];
        if (pick(4) == 0) {
            text.clear();
            const int n = 1 + pick(14);
            for (int i = 0; i < n; ++i)
                text += QChar(u'0' + pick(10));
        }
        note(QStringLiteral("type \"%1\"").arg(text), f);
        if (auto* edit = qobject_cast<QLineEdit*>(f.data()); edit && pick(2))
            edit->selectAll();
        for (const QChar ch : text) {
            if (!f || !f->isVisible())
                break;
            if (ch.unicode() < 128)
                QTest::keyClick(f, ch.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, f, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
        if (f && pick(3) == 0) {
            note(QStringLiteral("type \"%1\" and Enter").arg(text), f);
            QTest::keyClick(f, Qt::Key_Return);
        }
    }

    void mnemonic(QWidget* w)
    {
        const char letters[] = "abcdefghijklmnopqrstuvwxyz";
        const char letter = letters[pick(26)];
        note(QStringLiteral("Alt+%1").arg(QChar(letter)), focusIn(w));
        QTest::keyClick(focusIn(w), letter, Qt::AltModifier);
    }

    // A menu item of the window (the main window's menus and tool bar).
    void menuCommand(QWidget* w)
    {
        QList<QAction*> actions;
        for (QAction* a : w->findChildren<QAction*>())
            if (a->isEnabled() && a->isVisible() && !a->isSeparator() && !a->menu() && !a->objectName().isEmpty()
                && a->objectName() != QLatin1String("Exit1"))
                actions << a;
        if (actions.isEmpty())
            return click(w);
        QAction* a = actions[pick(int(actions.size()))];
        note(QStringLiteral("menu ") + a->objectName());
        a->trigger();
    }

    // The steps are done: every question is cancelled and the windows are closed, the modal ones from
    // the top down, until only the main window is left.
    void windDown()
    {
        club_.sink.closing = club_.files.closing = true;
        // Closing may wait for a calculation to notice its stop; a minute without closing is a hang.
        if (!closing_.isValid())
            closing_.start();
        if (closing_.elapsed() > StallWallNs / 1000000) {
            // Nothing can end the run in order: name it and stop.
            std::snprintf(where.action, sizeof where.action, "closing %s (%s)",
                          root() ? root()->metaObject()->className() : "?", failure_.toUtf8().constData());
            describeWhere("a window does not close");
            std::abort();
        }
        if (QWidget* popup = QApplication::activePopupWidget()) {
            note(QStringLiteral("closing: Escape in popup"), popup);
            popup->close();
            return;
        }
        QWidget* w = root();
        if (!w || w == club_.window.get()) {
            // The main window stays; its member view may be left as it is. A window closed a moment
            // ago may be followed by another one its command opens next (the court coding before the
            // set-up window): the run ends after some steps with nothing else open.
            if (!QApplication::activeModalWidget() && ++quietSteps_ > 50)
                return finish();
            return;
        }
        quietSteps_ = 0;
        note(QStringLiteral("closing"), w);
        if (auto* dialog = qobject_cast<QDialog*>(w); dialog && step_ % 2)
            dialog->reject();
        else
            w->close();
    }

    void finish()
    {
        if (done_)
            return;
        done_ = true;
        if (loop_)
            loop_->quit();
    }

    MonkeyClub& club_;
    const Target& target_;
    std::mt19937 rng_;
    long steps_;
    long step_ = 0;
    QElapsedTimer closing_;
    int quietSteps_ = 0;
    const bool trace_ = qEnvironmentVariableIsSet("TANDEMX_MONKEY_TRACE"); // every action on stderr
    bool done_ = false;
    bool saveCommand_ = false;
    QEventLoop* loop_ = nullptr;
    QMap<QString, QByteArray> files_;
    std::set<QObject*> hooked_;
    QString failure_;
    QString changedFiles_;
};

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
    test::TemporarySettings settingsDir;
private slots:
    void initTestCase()
    {
        // What the windows keep in the program settings (recent files, "Tegenstanders spreiden") goes
        // to a folder of the test's own.
        QVERIFY(settingsDir.useFor());
        QApplication::setQuitOnLastWindowClosed(false);
        // The offscreen platform's notes on what it cannot do would drown the output.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.qpa.*=false"));
        pthread_getcpuclockid(pthread_self(), &where.guiCpuClock);
        heartbeat();
#if defined(__SANITIZE_ADDRESS__)
        __sanitizer_set_death_callback(onSanitizerDeath);
#endif
        std::thread(watchdog).detach();
    }
    void windows_data();
    void windows();
};

void TestMonkey::windows_data()
{
    QTest::addColumn<int>("target");
    const QByteArray only = qgetenv("TANDEMX_MONKEY_WINDOW");
    for (size_t i = 0; i < targets().size(); ++i)
        if (only.isEmpty() || only == targets()[i].name)
            QTest::newRow(targets()[i].name) << int(i);
}

void TestMonkey::windows()
{
    QFETCH(int, target);
    const Target& t = targets()[size_t(target)];
    const int seconds = envInt("TANDEMX_MONKEY_SECONDS", 0);
    const long steps = envInt("TANDEMX_MONKEY_STEPS", 150);
    const int firstSeed = envInt("TANDEMX_MONKEY_SEED", 1);
    // Fixed seeds under CTest, with the seeds that found a fault in this window; with a time budget,
    // fresh seeds one after the other until the time is spent.
    std::vector<int> fixedSeeds = {firstSeed, firstSeed + 1};
    if (!qEnvironmentVariableIsSet("TANDEMX_MONKEY_SEED"))
        for (const auto& [window, seed] : FoundSeeds)
            if (QLatin1String(window) == QLatin1String(t.name))
                fixedSeeds.push_back(seed);
    QElapsedTimer clock;
    clock.start();
    long total = 0;
    int runs = 0;
    for (int i = 0;; ++i) {
        if (seconds > 0 ? clock.elapsed() >= seconds * 1000LL : i >= int(fixedSeeds.size()))
            break;
        const int seed = seconds > 0 ? firstSeed + i : fixedSeeds[size_t(i)];
        // Named before it runs: a sanitizer report that ends the process follows this line.
        std::fprintf(stderr, "monkey %s seed %d\n", t.name, seed);
        MonkeyClub club;
        if (QTest::currentTestFailed())
            return;
        where.watching = true;
        Monkey monkey(club, t, seed, steps);
        const QString failure = monkey.run();
        where.watching = false;
        total += monkey.stepsDone();
        ++runs;
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY2(!QApplication::activeModalWidget(), qPrintable(QStringLiteral("seed %1 left a modal window open").arg(seed)));
    }
    const double elapsed = clock.elapsed() / 1000.0;
    std::printf("monkey %-16s %4d seeds %7ld steps %7.1f s %7.1f steps/s\n", t.name, runs, total, elapsed,
                elapsed > 0 ? total / elapsed : 0.0);
    std::fflush(stdout);
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
