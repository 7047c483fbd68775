#pragma once

#include "interaction/navigator.h"
#include "ui/enterpressesbutton.h"
#include "ui/strayclickguard.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>

namespace vorleth {

// Creates the screens by id and keeps exactly one working screen. show() creates the next
// screen and shows it; the previous working screen is expected to close itself right after and
// is closed by the registry otherwise, unless the new screen was registered to open on top of it
// (it then stays open underneath and becomes current again when the one on top goes away).
// Help and browser open beside the working screen, once: asking again brings them to the front
// as they are (the help screen keeps the topic it was opened with).
// Screens are deleted when closed; closing the last window ends the program. A double click
// on a button that opens a screen does not click what the new screen has under the pointer,
// and Enter presses the focused button.
class ScreenRegistry : public Navigator {
public:
    ScreenRegistry();
    ~ScreenRegistry() override;

    using Factory = std::function<QWidget*(Navigator&, const Handover&)>;
    // Set on a screen the registry closes because another took its place, so that the screen
    // can tell that close from the user's.
    static constexpr const char* replacedProperty = "replacedByAnotherScreen";
    enum class Placement { Replaces, OnTop };

    void registerScreen(ScreenId id, Factory f, Placement placement = Placement::Replaces);
    // Which of the two screen sizes the program is laid out for (true: 800 x 600): every
    // screen is fitted into it as it opens, and windows beside it are placed within it.
    void setLayout(std::function<bool()> large) { m_large = std::move(large); }

    void show(ScreenId id, const Handover& handover = {}) override;
    void showBeside(ScreenId id, const Handover& handover = {}) override;

    QWidget* current() const { return m_current; }
    QWidget* beside(ScreenId id) const;

private:
    struct Entry {
        Factory factory;
        Placement placement = Placement::Replaces;
    };
    QWidget* create(ScreenId id, const Handover& handover);

    std::map<ScreenId, Entry> m_entries;
    std::function<bool()> m_large;
    QPointer<QWidget> m_current;
    QPointer<QWidget> m_underneath;
    std::map<ScreenId, QPointer<QWidget>> m_beside;
    // Lets a screen outliving the registry see that it is gone.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
    StrayClickGuard m_strayClicks;
    EnterPressesButton m_enterPresses;
};

} // namespace vorleth
