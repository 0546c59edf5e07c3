#pragma once
class QWidget;

namespace tandemx {
// Opens the help page of a help context (10: the contents).
void showHelp(int helpContext, QWidget* parent = nullptr);
}
