#include "forms/AppWiring.h"

#include "forms/TTandem12X.h"

namespace tandemx {

void wireWindows(TTandem12X& window)
{
    // The schedule, overview, match, options and print windows connect here as they are built.
    (void)window;
}

} // namespace tandemx
