#pragma once

namespace vorleth {

// The system beep as the logic asks for it: a run of beeps that warns of an error. The screens
// sound it without holding up the event loop; tests count it.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void soundBeeps(int count) = 0;
};

} // namespace vorleth
