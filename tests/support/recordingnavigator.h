#pragma once

#include "interaction/navigator.h"

#include <optional>
#include <vector>

namespace vorleth::test {

// Records every hand-over instead of opening screens.
class RecordingNavigator : public Navigator {
public:
    struct Call {
        bool beside; // showBeside rather than show
        ScreenId id;
        Handover handover;
        friend bool operator==(const Call&, const Call&) = default;
    };

    std::vector<Call> calls;       // every call, in order
    std::vector<ScreenId> shown;   // show() calls
    std::vector<ScreenId> besides; // showBeside() calls

    void show(ScreenId id, const Handover& handover = {}) override {
        calls.push_back({false, id, handover});
        shown.push_back(id);
    }
    void showBeside(ScreenId id, const Handover& handover = {}) override {
        calls.push_back({true, id, handover});
        besides.push_back(id);
    }

    std::optional<ScreenId> lastShown() const {
        if (shown.empty())
            return std::nullopt;
        return shown.back();
    }
    // The help topic of the last help screen asked for, or nothing.
    std::optional<int> lastHelpCode() const {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
            if (const auto* topic = std::get_if<HelpTopic>(&it->handover))
                return topic->code;
        }
        return std::nullopt;
    }
    void clear() {
        calls.clear();
        shown.clear();
        besides.clear();
    }
};

} // namespace vorleth::test
