#include "platform/linux/SdlSoundOutput.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <iostream>
#include <mutex>
#include <new>
#include <thread>

namespace dorvane {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWantedRate = 44100;
constexpr int kWantedChannels = 2;
constexpr int kWantedBufferFrames = 2048; // about 46 ms: enough to ride out a busy moment of the desktop
constexpr int kBytesPerSample = 2;       // the device is always opened for 16-bit samples
// How long a synchronous sound may take beyond its own length before waiting for it is given up
// (a device that stopped taking samples must not hang the clock).
constexpr auto kStallAllowance = std::chrono::seconds(3);
constexpr int kLowestBeep = 37;
constexpr int kHighestBeep = 32767;
constexpr int16_t kSquareWaveAmplitude = 8000; // a clear beep, well below full scale
constexpr int kLongestSquareWavePiece = 10000; // ms; a longer beep is played piece by piece

Clock::duration FramesToDuration(int64_t frames, int rate)
{
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(double(frames) / rate));
}

} // namespace

// The one sound playing, shared with SDL's audio thread, which takes its samples from here.
struct SdlSoundOutput::Voice {
    std::mutex mutex;
    std::condition_variable finished;
    std::vector<uint8_t> samples;
    std::size_t position = 0;
    uint64_t id = 0;          // of the sound in samples
    uint64_t finishedId = 0;  // of the last sound whose last sample went to the device
    Clock::time_point heardAt;
    int bytesPerFrame = 0;
    int rate = 0;
    int bufferFrames = 0;

    static void Fill(void* self, Uint8* stream, int length) { static_cast<Voice*>(self)->FillBuffer(stream, length); }

    void FillBuffer(Uint8* stream, int length)
    {
        std::lock_guard lock(mutex);
        const std::size_t copied = std::min<std::size_t>(length, samples.size() - position);
        if (copied > 0)
            std::memcpy(stream, samples.data() + position, copied);
        std::memset(stream + copied, 0, length - copied);
        position += copied;
        if (copied > 0 && position == samples.size()) {
            // The device still holds about one buffer ahead of this one.
            heardAt = Clock::now() + FramesToDuration(bufferFrames + copied / bytesPerFrame, rate);
            finishedId = id;
            finished.notify_all();
        }
    }
};

SdlSoundOutput::SdlSoundOutput(std::ostream& diagnostics, std::function<Clock::time_point()> now)
    : diagnostics_(diagnostics), now_(std::move(now)), voice_(std::make_unique<Voice>()),
      idleCloser_([this] { CloseDeviceWhenIdle(); })
{
}

SdlSoundOutput::~SdlSoundOutput()
{
    {
        std::lock_guard lock(deviceMutex_);
        stopping_ = true;
    }
    idleChanged_.notify_all();
    idleCloser_.join();
    CloseDevice();
}

bool SdlSoundOutput::HasDevice()
{
    std::lock_guard lock(deviceMutex_);
    return EnsureDevice();
}

bool SdlSoundOutput::IsDeviceOpen()
{
    std::lock_guard lock(deviceMutex_);
    CloseDeviceIfIdle();
    return device_ != 0;
}

// Called with deviceMutex_ held. Closes an open device whose time is up; returns false while it is not.
bool SdlSoundOutput::CloseDeviceIfIdle()
{
    if (device_ != 0 && now_() < closeAt_)
        return false;
    CloseDevice();
    return true;
}

// Runs on a thread of its own, which sleeps without waking while the device is closed.
void SdlSoundOutput::CloseDeviceWhenIdle()
{
    std::unique_lock lock(deviceMutex_);
    while (!stopping_) {
        if (device_ == 0)
            idleChanged_.wait(lock);
        else if (!CloseDeviceIfIdle())
            idleChanged_.wait_for(lock, closeAt_ - now_());
    }
}

// Called with deviceMutex_ held whenever the device opens or a sound starts.
void SdlSoundOutput::KeepDeviceOpenFor(Clock::duration soundLength)
{
    closeAt_ = now_() + soundLength + kCloseWhenIdleFor;
    idleChanged_.notify_all();
}

bool SdlSoundOutput::EnsureDevice()
{
    if (device_ != 0 && SDL_GetAudioDeviceStatus(device_) != SDL_AUDIO_STOPPED)
        return true;
    if (device_ != 0)
        CloseDevice(); // lost, e.g. the sound server went away: open afresh
    else if (lastFailedOpen_ && now_() - *lastFailedOpen_ < kRetryOpenAfter)
        return false;
    return OpenDevice();
}

bool SdlSoundOutput::OpenDevice()
{
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Dorvane");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "Clock tones");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        ReportMissingDevice(SDL_GetError());
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kWantedRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = kWantedChannels;
    wanted.samples = kWantedBufferFrames;
    wanted.callback = &Voice::Fill;
    wanted.userdata = voice_.get();
    SDL_AudioSpec obtained{};
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained,
                                  SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE |
                                      SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
    if (device_ == 0) {
        ReportMissingDevice(SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    format_ = {obtained.freq, obtained.channels};
    {
        std::lock_guard lock(voice_->mutex);
        voice_->bytesPerFrame = obtained.channels * kBytesPerSample;
        voice_->rate = obtained.freq;
        voice_->bufferFrames = obtained.samples;
    }
    SDL_PauseAudioDevice(device_, 0);
    KeepDeviceOpenFor(Clock::duration::zero());
    return true;
}

void SdlSoundOutput::CloseDevice()
{
    if (device_ == 0)
        return;
    SDL_CloseAudioDevice(device_); // waits for the audio thread to end
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device_ = 0;
    std::lock_guard lock(voice_->mutex);
    voice_->samples.clear();
    voice_->position = 0;
    voice_->finished.notify_all();
}

void SdlSoundOutput::ReportMissingDevice(const char* reason)
{
    lastFailedOpen_ = now_();
    if (reportedMissing_)
        return;
    reportedMissing_ = true;
    diagnostics_ << "dorvane: no sound device (" << reason << "); sounds stay silent\n" << std::flush;
}

std::optional<std::vector<uint8_t>> SdlSoundOutput::ToDeviceFormat(std::span<const uint8_t> wav) const
{
    if (wav.size() > INT_MAX)
        return std::nullopt;
    SDL_AudioSpec source{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1, &source, &buffer, &length))
        return std::nullopt;
    std::optional<std::vector<uint8_t>> converted;
    try {
        converted = Convert(source, std::span(buffer, length));
    } catch (const std::bad_alloc&) {
        // A sound too large for memory stays silent.
    }
    SDL_FreeWAV(buffer);
    return converted;
}

std::optional<std::vector<uint8_t>> SdlSoundOutput::Convert(const SDL_AudioSpec& source,
                                                            std::span<const uint8_t> samples) const
{
    const int sourceFrameBytes = SDL_AUDIO_BITSIZE(source.format) / 8 * source.channels;
    if (sourceFrameBytes <= 0 || source.freq <= 0)
        return std::nullopt;
    const int deviceFrameBytes = format_.channels * kBytesPerSample;
    const int64_t frames = samples.size() / sourceFrameBytes;
    const int64_t deviceFrames = (frames * format_.rate + source.freq / 2) / source.freq;
    // The resampler holds back the last few milliseconds until more samples follow, also when
    // flushed; a tenth of a second of silence pushes them out, and is then cut off again.
    std::vector<uint8_t> padding(static_cast<std::size_t>(source.freq / 10 + 64) * sourceFrameBytes,
                                 source.format == AUDIO_U8 ? 0x80 : 0);
    if (samples.size() + padding.size() > INT_MAX)
        return std::nullopt;
    SDL_AudioStream* stream = SDL_NewAudioStream(source.format, source.channels, source.freq, AUDIO_S16SYS,
                                                 static_cast<Uint8>(format_.channels), format_.rate);
    std::optional<std::vector<uint8_t>> converted;
    if (stream && SDL_AudioStreamPut(stream, samples.data(), static_cast<int>(samples.size())) == 0 &&
        SDL_AudioStreamPut(stream, padding.data(), static_cast<int>(padding.size())) == 0 &&
        SDL_AudioStreamFlush(stream) == 0) {
        converted.emplace(static_cast<std::size_t>(deviceFrames * deviceFrameBytes));
        const int got = SDL_AudioStreamGet(stream, converted->data(), static_cast<int>(converted->size()));
        converted->resize(static_cast<std::size_t>(std::max(got, 0)));
    }
    SDL_FreeAudioStream(stream);
    return converted;
}

std::vector<uint8_t> SdlSoundOutput::SquareWave(int frequencyHz, int64_t fromMs, int milliseconds) const
{
    const int64_t first = fromMs * format_.rate / 1000;
    const int64_t frames = (fromMs + milliseconds) * format_.rate / 1000 - first;
    std::vector<int16_t> samples(static_cast<std::size_t>(frames * format_.channels));
    for (int64_t frame = 0; frame < frames; ++frame) {
        const bool firstHalf = ((first + frame) * 2 * frequencyHz / format_.rate) % 2 == 0;
        const int16_t value = firstHalf ? kSquareWaveAmplitude : -kSquareWaveAmplitude;
        std::fill_n(samples.begin() + frame * format_.channels, format_.channels, value);
    }
    std::vector<uint8_t> bytes(samples.size() * kBytesPerSample);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

uint64_t SdlSoundOutput::Start(std::vector<uint8_t> samples)
{
    KeepDeviceOpenFor(FramesToDuration(samples.size() / (format_.channels * kBytesPerSample), format_.rate));
    std::lock_guard lock(voice_->mutex);
    voice_->samples = std::move(samples);
    voice_->position = 0;
    return ++voice_->id;
}

void SdlSoundOutput::PlayToTheEnd(std::vector<uint8_t> samples)
{
    const auto length = FramesToDuration(samples.size() / (format_.channels * kBytesPerSample), format_.rate);
    if (samples.empty())
        return;
    const uint64_t id = Start(std::move(samples));
    std::unique_lock lock(voice_->mutex);
    const bool delivered = voice_->finished.wait_until(lock, Clock::now() + length + kStallAllowance, [&] {
        return voice_->finishedId >= id || voice_->id != id || voice_->samples.empty();
    });
    if (!delivered || voice_->finishedId < id)
        return;
    const auto heardAt = voice_->heardAt;
    lock.unlock();
    std::this_thread::sleep_until(heardAt);
}

void SdlSoundOutput::PlayWavSync(std::span<const uint8_t> wav)
{
    std::lock_guard lock(deviceMutex_);
    if (!EnsureDevice())
        return;
    if (auto samples = ToDeviceFormat(wav))
        PlayToTheEnd(std::move(*samples));
}

void SdlSoundOutput::PlayWavAsync(std::span<const uint8_t> wav)
{
    std::lock_guard lock(deviceMutex_);
    if (!EnsureDevice())
        return;
    if (auto samples = ToDeviceFormat(wav))
        Start(std::move(*samples));
}

bool SdlSoundOutput::PcSpeakerTone(int frequencyHz, int milliseconds)
{
    if (!speakerSearched_) {
        speakerSearched_ = true;
        speaker_ = PcSpeaker::Find();
    }
    if (speaker_ && speaker_->Tone(frequencyHz, milliseconds))
        return true;
    speaker_.reset();
    return false;
}

void SdlSoundOutput::Beep(int frequencyHz, int milliseconds)
{
    if (milliseconds <= 0)
        return;
    std::lock_guard lock(deviceMutex_);
    const bool audible = frequencyHz >= kLowestBeep && frequencyHz <= kHighestBeep;
    if (audible && PcSpeakerTone(frequencyHz, milliseconds))
        return;
    if (audible && EnsureDevice()) {
        for (int64_t done = 0; done < milliseconds; done += kLongestSquareWavePiece) {
            const auto piece = static_cast<int>(std::min<int64_t>(kLongestSquareWavePiece, milliseconds - done));
            PlayToTheEnd(SquareWave(frequencyHz, done, piece));
        }
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// For LeakSanitizer in sanitizer builds: SDL's PulseAudio backend starts server queries from its
// device-watching thread and never frees them, and the session bus connection made on a desktop
// keeps a buffer to the end; those leaks are not ours to report.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libpulse.so\n"
           "leak:libdbus-1.so\n";
}

SoundOutput& SystemSoundOutput()
{
    static SdlSoundOutput output(std::cerr);
    return output;
}

} // namespace dorvane
