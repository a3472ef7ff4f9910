#pragma once

#include "clock/tick/TickSounds.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace dorvane::testing {

// Records the tick's sounds instead of playing them; onTone runs for each tone as if it were
// being heard (a test can move its clock on there, as a real tone takes time).
class RecordingTickSounds : public TickSounds {
public:
    enum class Route { SoundRule, ToneGenerator, RecordedChime };
    struct Played {
        Route route;
        TickTone tone;
    };

    void PlayTone(const TickTone& tone) override { Record(Route::SoundRule, tone); }
    void PlayGeneratedTone(const TickTone& tone) override { Record(Route::ToneGenerator, tone); }
    void StartRecordedChime() override { played.push_back({Route::RecordedChime, {}}); }

    // The tones played for use, and the recorded chimes started.
    int Count(ToneUse use) const
    {
        return static_cast<int>(std::ranges::count_if(
            played, [&](const Played& p) { return p.route != Route::RecordedChime && p.tone.use == use; }));
    }
    int RecordedChimes() const
    {
        return static_cast<int>(std::ranges::count(played, Route::RecordedChime, &Played::route));
    }

    std::vector<Played> played;
    std::function<void(const TickTone&)> onTone;

private:
    void Record(Route route, const TickTone& tone)
    {
        played.push_back({route, tone});
        if (onTone)
            onTone(tone);
    }
};

} // namespace dorvane::testing
