#pragma once

namespace vorleth {

class Dialogs;
class ScreenRegistry;
struct SharedState;

// Wires every screen id that opens through the registry to the screen that shows it (the
// correction palette is opened by the counting screen itself).
void registerScreens(ScreenRegistry& registry, SharedState& state, Dialogs& dialogs);

} // namespace vorleth
