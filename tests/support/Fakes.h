#pragma once

#include "clock/face/ClockWindowFrame.h"
#include "clock/tick/TickTiming.h"
#include "clock/window/ClockMouse.h"
#include "options/ButtonStrip.h"
#include "platform/LocalTime.h"
#include "platform/MessagePump.h"
#include "platform/Screen.h"
#include "platform/SoundOutput.h"
#include "platform/TimeSource.h"
#include "platform/TimeZone.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

// Fixed times, and stand-ins for the platform the logic runs on: they record what they are asked and
// answer what the test set.
namespace dorvane::testing {

// The day the tests live on unless they say otherwise: Sunday 6 December 2026.
inline constexpr CivilDate kTestDay{2026, 12, 6};

// A moment of that day (or of another): the seconds may carry a fraction.
inline LocalTime At(int hour, int minute, double second = 0, CivilDate date = kTestDay)
{
    const int whole = static_cast<int>(second);
    return {date, hour, minute, whole, second - whole};
}

// Counts the times pending messages were let run, and runs what the test queued as "pending".
struct FakeMessagePump : MessagePump {
    void RunPendingMessages() override
    {
        ++runs;
        if (auto work = std::exchange(pending, nullptr))
            work();
    }
    int runs = 0;
    std::function<void()> pending;
};

struct FakeScreen : Screen {
    FakeScreen(int width = 1280, int height = 1024, double twipsPerPixel = 15)
        : width(width), height(height), twipsPerPixel(twipsPerPixel) {}
    int WidthPixels() const override { return width; }
    int HeightPixels() const override { return height; }
    double TwipsPerPixelX() const override { return twipsPerPixel; }
    double TwipsPerPixelY() const override { return twipsPerPixel; }
    int width, height;
    double twipsPerPixel;
};

// A clock that shows whatever time the test sets, and a monotonic clock when the test sets one.
struct FakeTimeSource : TimeSource {
    explicit FakeTimeSource(LocalTime now = {}) : now(now) {}
    LocalTime Now() override { return now; }
    std::optional<double> MonotonicSeconds() override { return monotonic; }
    void Set(LocalTime time) { now = time; }
    LocalTime now;
    std::optional<double> monotonic;
};

// A time zone without daylight saving, a fixed number of seconds ahead of UTC (UTC by default).
struct FakeTimeZone : TimeZone {
    explicit FakeTimeZone(int64_t offsetSeconds = 0) : offset(offsetSeconds) {}
    LocalTime LocalAt(int64_t unixSeconds) const override { return LocalTimeAt(double(unixSeconds + offset)); }
    int64_t offset;
};

using Size = std::pair<int, int>;

struct RecordingFrame : ClockWindowFrame {
    void SizeToDial(int width, int height) override { sizes.emplace_back(width, height); }
    std::vector<Size> sizes;
};

// Records every sound instead of playing it.
struct RecordingSoundOutput : SoundOutput {
    struct Played {
        enum class Kind { Beep, WavSync, WavAsync, WavQueued } kind;
        int frequencyHz = 0, milliseconds = 0;
        std::vector<uint8_t> wav;
    };
    using Kind = Played::Kind;
    void Beep(int frequencyHz, int milliseconds) override { played.push_back({Kind::Beep, frequencyHz, milliseconds, {}}); }
    void PlayWavSync(std::span<const uint8_t> wav) override { Note(Kind::WavSync, wav); }
    void PlayWavAsync(std::span<const uint8_t> wav) override { Note(Kind::WavAsync, wav); }
    void QueueWav(std::span<const uint8_t> wav) override { Note(Kind::WavQueued, wav); }
    void Note(Kind kind, std::span<const uint8_t> wav) { played.push_back({kind, 0, 0, {wav.begin(), wav.end()}}); }
    std::vector<Played> played;
};

// Writes down what the clock's mouse logic asks of the window.
struct RecordingMouseActions : ClockMouseActions {
    void MoveClockBy(int dx, int dy) override { events.push_back("move " + std::to_string(dx) + "," + std::to_string(dy)); }
    void ShowStrip() override { events.push_back("show"); }
    void UnloadStrip() override { events.push_back("unload"); }
    void HideStrip() override { events.push_back("hide"); }
    void SetStripTimer(bool enabled) override { events.push_back(enabled ? "timer on" : "timer off"); }
    void SilenceCurrentAlarm() override { events.push_back("silence"); }
    std::vector<std::string> events;
};

// The clock beside the button strip: it moves where the strip drags it and notes what the strip asks.
struct RecordingStripActions : ButtonStripActions {
    explicit RecordingStripActions(TwipsRect clock) : clock(clock) {}
    TwipsRect ClockRect() override { return clock; }
    void MoveClock(double left, double top) override { clock.left = left, clock.top = top; }
    void MoveStrip(double left, double top) override { strip = {left, top}; }
    void MarkPointerMoved() override { events.push_back("moved"); }
    void HideStrip() override { events.push_back("hide"); }
    void ReopenOptions() override { events.push_back("options"); }
    void CloseClock() override { events.push_back("close"); }
    TwipsRect clock;
    std::pair<double, double> strip;
    std::vector<std::string> events;
};

} // namespace dorvane::testing
