#pragma once
namespace tandemx {
class TTandem12X;
// Connects the main window's commands to the windows that carry them out.
void wireWindows(TTandem12X& window);
}
