#pragma once

#include "clock/TickSounds.h"

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

    int Count(ToneUse use) const
    {
        int n = 0;
        for (const auto& p : played)
            n += p.route != Route::RecordedChime && p.tone.use == use;
        return n;
    }
    int RecordedChimes() const
    {
        int n = 0;
        for (const auto& p : played)
            n += p.route == Route::RecordedChime;
        return n;
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
