#pragma once
// Whether the open club has changes that are not yet on disk: the member list, its key data (with
// the print settings they carry) and the matches. Each is compared with what was last read or written,
// so an edit that is undone again counts as no change.
#include "state/AppState.h"

#include <functional>

namespace tandemx {

// Record the member list / the key data as they are on disk now (after reading or writing them).
void markMembersSaved(AppState& state);
void markConfigSaved(AppState& state);
// Records the matches as they are on disk now.
void markMatchesSaved(AppState& state);

bool membersUnsaved(const AppState& state);
bool matchesUnsaved(const AppState& state);
bool hasUnsavedChanges(const AppState& state);

// Recomputes print settings that follow from the others (the page length the print options show
// from the margins and the page) in the settings in use and in the key data as last read or written,
// so that the recomputation by itself is no change of the user's.
void recomputePrintSettings(AppState& state, const std::function<void(PrintSettings&)>& recompute);

// Puts the member list back as it was last read or written (the matches' records follow).
void dropMemberChanges(AppState& state);

} // namespace tandemx
