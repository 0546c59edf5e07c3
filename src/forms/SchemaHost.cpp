#include "forms/SchemaHost.h"

#include "forms/TSchemaForm.h"
#include "records/Cp1252.h"
#include "state/AppState.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

namespace tandemx {

namespace {
QString text(std::string_view bytes)
{
    return fromCp1252(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}
} // namespace

SchemaHost::SchemaHost(AppState& state, TSchemaForm& form) : state_(state), form_(form)
{
    sinceEvents_.start();
}

int SchemaHost::showBericht(std::string_view message, int kind, int buttons)
{
    return state_.messages.showBericht(text(message), kind, uint16_t(buttons), 0);
}

void SchemaHost::beep()
{
    state_.messages.beep();
}

int SchemaHost::lastErrorState() const
{
    return state_.messages.lastErrorState;
}

void SchemaHost::setLastErrorState(int state)
{
    state_.messages.lastErrorState = state;
}

uint16_t SchemaHost::keyDataOptions() const
{
    return state_.club.keyData().options;
}

void SchemaHost::showFoutregel(std::string_view line)
{
    form_.showWarningLine(text(line));
}

void SchemaHost::hideFoutregel()
{
    form_.hideWarningLine();
}

void SchemaHost::delay(int milliseconds)
{
    form_.waitForDelayTimer(milliseconds);
    sinceEvents_.restart();
}

void SchemaHost::showWorkingText(int state, std::string_view line)
{
    // A new run (state 1) starts with an empty memo; later states only replace the first line.
    if (state == 1)
        form_.clearMemo();
    form_.setMemoLine(0, text(line), 25);
}

void SchemaHost::showProgressLine(std::string_view line, int memoHeight, int memoLine)
{
    form_.setMemoLine(memoLine, text(line), memoHeight);
}

void SchemaHost::resetProgress(int maximum)
{
    // The calculation clears StopRequest just before this; a Stop that came earlier still counts.
    if (form_.stopPending())
        state_.schedule->StopRequest = 27;
    progress_ = 0;
    progressMax_ = maximum;
    sinceStep_.start();
    QProgressBar* bar = form_.progressBar();
    bar->setRange(0, maximum);
    bar->setValue(0);
    bar->show();
    form_.progressLabel()->show();
}

void SchemaHost::stepProgress()
{
    // The bar is an activity sign that starts over when it passes the end. A step per candidate
    // would make it jump at random between paints (thousands of candidates go by in one), so it
    // moves with the time instead: see showProgressValue.
}

void SchemaHost::showProgressValue()
{
    if (sinceStep_.elapsed() < ProgressInterval)
        return;
    sinceStep_.restart();
    if (++progress_ > progressMax_)
        progress_ = 0;
    form_.progressBar()->setValue(progress_);
}

void SchemaHost::setStopVisible(bool visible)
{
    form_.setStopShown(visible);
}

bool SchemaHost::breakTest()
{
    // Reading the clock costs about as much as examining a candidate: look at it every 16th call.
    if ((++calls_ & 15) == 0 && sinceEvents_.elapsed() >= BreakInterval) {
        showProgressValue();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        sinceEvents_.restart();
    }
    const uint8_t stop = state_.schedule->StopRequest;
    return stop == 27 || stop == 3 || form_.stopPending();
}

} // namespace tandemx
