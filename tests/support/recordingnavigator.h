#pragma once

#include "ui/navigator.h"

#include <optional>
#include <vector>

namespace vorleth::test {

// Records every hand-over instead of opening screens.
class RecordingNavigator : public Navigator {
public:
    struct Call {
        bool beside; // showBeside rather than show
        ScreenId id;
        friend bool operator==(const Call&, const Call&) = default;
    };

    std::vector<Call> calls;       // every call, in order
    std::vector<ScreenId> shown;   // show() calls
    std::vector<ScreenId> besides; // showBeside() calls

    void show(ScreenId id) override {
        calls.push_back({false, id});
        shown.push_back(id);
    }
    void showBeside(ScreenId id) override {
        calls.push_back({true, id});
        besides.push_back(id);
    }

    std::optional<ScreenId> lastShown() const {
        if (shown.empty())
            return std::nullopt;
        return shown.back();
    }
    void clear() {
        calls.clear();
        shown.clear();
        besides.clear();
    }
};

} // namespace vorleth::test
