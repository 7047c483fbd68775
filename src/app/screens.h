#pragma once

namespace vorleth {

class Dialogs;
class ScreenRegistry;
struct SharedState;

// Wires every screen id to the screen that shows it. Screens not built yet tell the user so
// and lead back to the main menu.
void registerScreens(ScreenRegistry& registry, SharedState& state, Dialogs& dialogs);

} // namespace vorleth
