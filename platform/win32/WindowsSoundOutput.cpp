#include "platform/win32/WindowsSoundOutput.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>
#include <windows.h>
#include <mmsystem.h>

namespace dorvane {
namespace {

using Clock = WindowsSoundOutput::Clock;
using Sound = std::shared_ptr<const std::vector<uint8_t>>;

constexpr int kLowestBeep = 37;
constexpr int kHighestBeep = 32767;
constexpr uint32_t kFromMemory = SND_MEMORY | SND_NODEFAULT;
constexpr std::chrono::milliseconds kAskAgainAfter{20}; // whether the sound before has ended

uint32_t Little32(std::span<const uint8_t> bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

bool IsTag(std::span<const uint8_t> bytes, std::size_t at, const char* tag) { return std::memcmp(&bytes[at], tag, 4) == 0; }

Sound Copy(std::span<const uint8_t> wav) { return std::make_shared<const std::vector<uint8_t>>(wav.begin(), wav.end()); }

} // namespace

Clock::duration WindowsSoundOutput::LengthOf(std::span<const uint8_t> wav)
{
    constexpr std::size_t kHeader = 12, kChunkHeader = 8;
    if (wav.size() < kHeader || !IsTag(wav, 0, "RIFF") || !IsTag(wav, 8, "WAVE"))
        return Clock::duration::zero();
    uint32_t bytesPerSecond = 0;
    for (std::size_t at = kHeader; at + kChunkHeader <= wav.size();) {
        const std::size_t size = Little32(wav, at + 4);
        const std::size_t body = at + kChunkHeader;
        if (IsTag(wav, at, "fmt ") && size >= 12 && body + 12 <= wav.size())
            bytesPerSecond = Little32(wav, body + 8);
        if (IsTag(wav, at, "data") && bytesPerSecond > 0) {
            // A sound cut short plays only the samples it has.
            const double samples = static_cast<double>(std::min(size, wav.size() - body));
            return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(samples / bytesPerSecond));
        }
        at = body + size + (size & 1);
    }
    return Clock::duration::zero();
}

// The one voice and its queue. Used on the device thread only, but for Report.
struct WindowsSoundOutput::Voice {
    std::ostream& diagnostics;
    SystemCalls calls;
    std::mutex reportMutex;
    bool reported = false;
    Sound playing; // PlaySound reads these bytes while the sound plays: kept until it has stopped
    Clock::time_point endsAt;
    std::deque<Sound> queued;

    Voice(std::ostream& out, SystemCalls system) : diagnostics(out), calls(std::move(system)) {}

    // Says once, from any thread, that sounds stay silent.
    void Report(const std::string& reason)
    {
        std::lock_guard lock(reportMutex);
        if (!std::exchange(reported, true))
            diagnostics << "dorvane: no sound device (" << reason << "); sounds stay silent\n" << std::flush;
    }

    // Ends what plays, for good.
    void Stop()
    {
        if (playing)
            calls.playSound(nullptr, 0);
        playing.reset();
    }

    // Starts sound, cutting off what plays (a new PlaySound stops the one before it), or, with
    // SND_NOSTOP, only when nothing plays any more. False when it did not start.
    bool Start(const Sound& sound, uint32_t flags = 0)
    {
        const auto length = LengthOf(*sound);
        if (length == Clock::duration::zero())
            return true; // not a sound: nothing to hear
        if (!calls.playSound(sound->data(), kFromMemory | SND_ASYNC | flags))
            return false;
        playing = sound; // the bytes of the sound before are free now
        endsAt = Clock::now() + length;
        return true;
    }

    void PlayToTheEnd(const Sound& sound)
    {
        queued.clear();
        if (LengthOf(*sound) == Clock::duration::zero())
            return;
        if (!calls.playSound(sound->data(), kFromMemory | SND_SYNC))
            return Report("the sound could not be played");
        playing.reset();
    }

    // Between tasks: starts the next queued sound once the one before has been heard, and says how
    // long until then. The bytes of the last sound stay until a new sound replaces them, as the
    // driver may still be reading them.
    std::optional<Clock::duration> WhenIdle()
    {
        const auto now = Clock::now();
        if (playing && now < endsAt)
            return endsAt - now;
        if (queued.empty())
            return std::nullopt;
        // The driver may sound a little behind the clock: the next sound waits for the end of the one
        // before rather than cut it off, for kStallAllowance at most.
        const bool mayWait = playing && now < endsAt + kStallAllowance;
        if (!Start(queued.front(), mayWait ? SND_NOSTOP : 0)) {
            if (mayWait)
                return kAskAgainAfter;
            Report("the sound could not be started");
        }
        queued.pop_front();
        return Clock::duration::zero(); // come back at once: to wait for it, or for the next one
    }
};

WindowsSoundOutput::SystemCalls WindowsSoundOutput::WindowsCalls()
{
    return {
        [](const void* sound, uint32_t flags) {
            return ::PlaySoundW(static_cast<LPCWSTR>(sound), nullptr, flags) != FALSE;
        },
        [](int frequencyHz, int milliseconds) {
            return ::Beep(static_cast<DWORD>(frequencyHz), static_cast<DWORD>(milliseconds)) != FALSE;
        },
        [] { ::waveOutGetNumDevs(); }, // asks the driver, which loads it
    };
}

WindowsSoundOutput::WindowsSoundOutput(std::ostream& diagnostics, SystemCalls calls)
    : voice_(std::make_shared<Voice>(diagnostics, std::move(calls))),
      thread_(kAnswerWithin, [voice = voice_] { return voice->WhenIdle(); })
{
    if (voice_->calls.openDriver)
        thread_.Post([voice = voice_] { voice->calls.openDriver(); });
}

WindowsSoundOutput::~WindowsSoundOutput()
{
    thread_.Run([voice = voice_] { voice->Stop(); }, kAnswerWithin);
}

void WindowsSoundOutput::Beep(int frequencyHz, int milliseconds)
{
    if (milliseconds <= 0)
        return;
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    if (frequencyHz >= kLowestBeep && frequencyHz <= kHighestBeep) {
        const bool answered = thread_.Run([voice = voice_, frequencyHz, milliseconds] {
            voice->calls.beep(frequencyHz, milliseconds);
        }, kAnswerWithin + std::chrono::milliseconds(milliseconds) + kStallAllowance);
        if (!answered)
            voice_->Report("the sound device does not answer");
    }
    // A tone that could not sound still takes its time, as the caller counts on.
    std::this_thread::sleep_until(end);
}

void WindowsSoundOutput::PlayWavSync(std::span<const uint8_t> wav)
{
    // Copied: a sound the device stalls on outlives this call, and the caller's bytes.
    const Sound sound = Copy(wav);
    const auto limit = kAnswerWithin + LengthOf(wav) + kStallAllowance;
    if (!thread_.Run([voice = voice_, sound] { voice->PlayToTheEnd(sound); }, limit))
        voice_->Report("the sound device does not answer");
}

void WindowsSoundOutput::PlayWavAsync(std::span<const uint8_t> wav)
{
    const bool posted = thread_.Post([voice = voice_, sound = Copy(wav)] {
        voice->queued.clear();
        if (!voice->Start(sound))
            voice->Report("the sound could not be started");
    });
    if (!posted)
        voice_->Report("the sound device does not answer");
}

void WindowsSoundOutput::QueueWav(std::span<const uint8_t> wav)
{
    if (!thread_.Post([voice = voice_, sound = Copy(wav)] { voice->queued.push_back(sound); }))
        voice_->Report("the sound device does not answer");
}

WindowsSoundOutput& SystemSoundOutput()
{
    static WindowsSoundOutput output(std::cerr);
    return output;
}

} // namespace dorvane
