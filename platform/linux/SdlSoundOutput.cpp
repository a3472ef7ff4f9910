#include "platform/linux/SdlSoundOutput.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <iostream>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

namespace dorvane {

struct SoundDeviceFormat {
    int rate = 0;
    int channels = 0;
};

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWantedRate = 44100;
constexpr int kWantedChannels = 2;
constexpr int kWantedBufferFrames = 2048; // about 46 ms: enough to ride out a busy moment of the desktop
constexpr int kBytesPerSample = 2;       // the device is always opened for 16-bit samples
constexpr int kLowestBeep = 37;
constexpr int kHighestBeep = 32767;
constexpr int16_t kSquareWaveAmplitude = 8000; // a clear beep, well below full scale
constexpr int kLongestSquareWavePiece = 10000; // ms; a longer beep is played piece by piece

Clock::duration FramesToDuration(int64_t frames, int rate)
{
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(double(frames) / rate));
}

void IgnoreLibraryMessage(const char*, int, const char*, int, const char*, ...) {}
void IgnoreSdlMessage(void*, int, SDL_LogPriority, const char*) {}

// SDL and the ALSA library it may fall back to print their own errors on stderr, several lines at
// every attempt to open a device; the clock says what matters once, in its own words. ALSA's
// library is loaded here and kept, so that SDL finds the same one with its handler set.
void SilenceSoundLibraries()
{
    static std::once_flag once;
    std::call_once(once, [] {
        SDL_LogSetOutputFunction(&IgnoreSdlMessage, nullptr);
        using ErrorHandler = void (*)(const char*, int, const char*, int, const char*, ...);
        if (void* alsa = ::dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL))
            if (auto setHandler = reinterpret_cast<int (*)(ErrorHandler)>(::dlsym(alsa, "snd_lib_error_set_handler")))
                setHandler(&IgnoreLibraryMessage);
    });
}

std::optional<std::vector<uint8_t>> Convert(const SDL_AudioSpec& source, std::span<const uint8_t> samples,
                                            const SoundDeviceFormat& format)
{
    const int sourceFrameBytes = SDL_AUDIO_BITSIZE(source.format) / 8 * source.channels;
    if (sourceFrameBytes <= 0 || source.freq <= 0)
        return std::nullopt;
    const int deviceFrameBytes = format.channels * kBytesPerSample;
    const int64_t frames = samples.size() / sourceFrameBytes;
    const int64_t deviceFrames = (frames * format.rate + source.freq / 2) / source.freq;
    // The resampler holds back the last few milliseconds until more samples follow, also when
    // flushed; a tenth of a second of silence pushes them out, and is then cut off again.
    std::vector<uint8_t> padding(static_cast<std::size_t>(source.freq / 10 + 64) * sourceFrameBytes,
                                 source.format == AUDIO_U8 ? 0x80 : 0);
    if (samples.size() + padding.size() > INT_MAX)
        return std::nullopt;
    SDL_AudioStream* stream = SDL_NewAudioStream(source.format, source.channels, source.freq, AUDIO_S16SYS,
                                                 static_cast<Uint8>(format.channels), format.rate);
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

std::optional<std::vector<uint8_t>> ToDeviceFormat(std::span<const uint8_t> wav, const SoundDeviceFormat& format)
{
    if (wav.size() > INT_MAX)
        return std::nullopt;
    SDL_AudioSpec source{};
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1, &source, &buffer,
                        &length))
        return std::nullopt;
    std::optional<std::vector<uint8_t>> converted;
    try {
        converted = Convert(source, std::span(buffer, length), format);
    } catch (const std::bad_alloc&) {
        // A sound too large for memory stays silent.
    }
    SDL_FreeWAV(buffer);
    return converted;
}

// The part of a square-wave beep from fromMs on, milliseconds long.
std::vector<uint8_t> SquareWave(int frequencyHz, int64_t fromMs, int milliseconds, const SoundDeviceFormat& format)
{
    const int64_t first = fromMs * format.rate / 1000;
    const int64_t frames = (fromMs + milliseconds) * format.rate / 1000 - first;
    std::vector<int16_t> samples(static_cast<std::size_t>(frames * format.channels));
    for (int64_t frame = 0; frame < frames; ++frame) {
        const bool firstHalf = ((first + frame) * 2 * frequencyHz / format.rate) % 2 == 0;
        const int16_t value = firstHalf ? kSquareWaveAmplitude : -kSquareWaveAmplitude;
        std::fill_n(samples.begin() + frame * format.channels, format.channels, value);
    }
    std::vector<uint8_t> bytes(samples.size() * kBytesPerSample);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

} // namespace

// A sound that started: its number on the voice and its length.
struct SdlSoundOutput::Started {
    uint64_t id;
    Clock::duration length;
};

// The one sound playing, shared with SDL's audio thread, which takes its samples from here.
struct Voice {
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

// The sound device and everything done with it. Used on the device thread only, but for the voice
// (locked by its own mutex) and Report.
struct SdlSoundOutput::Device {
    std::ostream& diagnostics;
    std::function<Clock::time_point()> now;
    std::mutex reportMutex;
    bool reported = false;
    uint32_t handle = 0;
    SoundDeviceFormat format;
    std::optional<Clock::time_point> lastFailedOpen;
    Clock::time_point closeAt; // on now
    std::atomic<bool> closingStalled = false; // a device whose server stopped answering is being closed
    Voice voice;

    Device(std::ostream& out, std::function<Clock::time_point()> clock) : diagnostics(out), now(std::move(clock)) {}
    ~Device() { Close(); }

    // Says once, from any thread, that sounds stay silent.
    void Report(const std::string& reason)
    {
        std::lock_guard lock(reportMutex);
        if (std::exchange(reported, true))
            return;
        diagnostics << "dorvane: no sound device (" << reason << "); sounds stay silent\n" << std::flush;
    }

    bool Ensure()
    {
        if (handle != 0 && SDL_GetAudioDeviceStatus(handle) != SDL_AUDIO_STOPPED)
            return true;
        if (handle != 0)
            Close(); // lost, e.g. the sound server went away: open afresh
        else if (lastFailedOpen && now() - *lastFailedOpen < kRetryOpenAfter)
            return false;
        return Open();
    }

    bool Open()
    {
        SilenceSoundLibraries();
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Dorvane");
        SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "Clock tones");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return Failed(SDL_GetError());
        SDL_AudioSpec wanted{};
        wanted.freq = kWantedRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = kWantedChannels;
        wanted.samples = kWantedBufferFrames;
        wanted.callback = &Voice::Fill;
        wanted.userdata = &voice;
        SDL_AudioSpec obtained{};
        handle = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained,
                                     SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE |
                                         SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
        if (handle == 0) {
            const std::string reason = SDL_GetError();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return Failed(reason);
        }
        format = {obtained.freq, obtained.channels};
        {
            std::lock_guard lock(voice.mutex);
            voice.bytesPerFrame = obtained.channels * kBytesPerSample;
            voice.rate = obtained.freq;
            voice.bufferFrames = obtained.samples;
        }
        SDL_PauseAudioDevice(handle, 0);
        KeepOpenFor(Clock::duration::zero());
        return true;
    }

    bool Failed(const std::string& reason)
    {
        lastFailedOpen = now();
        Report(reason);
        return false;
    }

    void Close()
    {
        if (handle == 0)
            return;
        SDL_CloseAudioDevice(handle); // waits for the audio thread to end
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        handle = 0;
        std::lock_guard lock(voice.mutex);
        voice.samples.clear();
        voice.position = 0;
        voice.finished.notify_all();
    }

    void KeepOpenFor(Clock::duration soundLength) { closeAt = now() + soundLength + kCloseWhenIdleFor; }

    // Closes an open device whose time is up; otherwise says how long it has left.
    std::optional<Clock::duration> CloseIfIdle()
    {
        if (handle != 0 && now() < closeAt)
            return closeAt - now();
        Close();
        return std::nullopt;
    }

    // Starts samples in the device's format, cutting off what plays or, when queued, after it and
    // a buffer's length of silence, as far apart as two sounds played one after the other.
    std::optional<Started> Start(std::optional<std::vector<uint8_t>> samples, bool queued = false)
    {
        if (!samples || samples->empty())
            return std::nullopt;
        const auto length = FramesToDuration(samples->size() / (format.channels * kBytesPerSample), format.rate);
        std::lock_guard lock(voice.mutex);
        if (queued && voice.position < voice.samples.size()) {
            voice.samples.resize(voice.samples.size() + std::size_t(voice.bufferFrames) * voice.bytesPerFrame);
            voice.samples.insert(voice.samples.end(), samples->begin(), samples->end());
        } else {
            voice.samples = std::move(*samples);
            voice.position = 0;
        }
        KeepOpenFor(FramesToDuration((voice.samples.size() - voice.position) / voice.bytesPerFrame, format.rate));
        return Started{++voice.id, length};
    }

    // Waits until sound has been heard to its end or was cut off; false when the device stopped
    // taking samples, which is then said.
    bool WaitUntilHeard(const Started& sound)
    {
        std::unique_lock lock(voice.mutex);
        const bool delivered = voice.finished.wait_for(lock, sound.length + kStallAllowance, [&] {
            return voice.finishedId >= sound.id || voice.id != sound.id || voice.samples.empty();
        });
        if (!delivered) {
            lock.unlock();
            Report("the sound server stopped answering");
            return false;
        }
        if (voice.finishedId < sound.id)
            return true;
        const auto heardAt = voice.heardAt;
        lock.unlock();
        std::this_thread::sleep_until(heardAt);
        return true;
    }
};

SdlSoundOutput::SdlSoundOutput(std::ostream& diagnostics, std::function<Clock::time_point()> now)
    : device_(std::make_shared<Device>(diagnostics, std::move(now))),
      thread_(kAnswerWithin, [device = device_] { return device->CloseIfIdle(); })
{
}

SdlSoundOutput::~SdlSoundOutput()
{
    // Closed on the device thread too: closing waits for SDL's audio thread, which a sound server
    // that stopped answering may hold for ever. SDL keeps its error text per thread, and frees it
    // for its own threads only.
    thread_.Run(
        [device = device_] {
            device->Close();
            SDL_TLSCleanup();
        },
        kAnswerWithin);
}

bool SdlSoundOutput::RunOnDevice(std::function<void()> task)
{
    if (device_->closingStalled)
        return false; // already said; the closing may take as long as the server stays silent
    if (thread_.Run(std::move(task), kAnswerWithin))
        return true;
    device_->Report("the sound server does not answer");
    return false;
}

void SdlSoundOutput::OpenAhead()
{
    thread_.Post([device = device_] { device->Ensure(); });
}

bool SdlSoundOutput::HasDevice()
{
    auto open = std::make_shared<bool>(false);
    return RunOnDevice([device = device_, open] { *open = device->Ensure(); }) && *open;
}

bool SdlSoundOutput::IsDeviceOpen()
{
    auto open = std::make_shared<bool>(false);
    return RunOnDevice([device = device_, open] {
        device->CloseIfIdle();
        *open = device->handle != 0;
    }) && *open;
}

void SdlSoundOutput::PlayToTheEnd(
    const std::function<std::optional<std::vector<uint8_t>>(const SoundDeviceFormat&)>& make)
{
    auto format = std::make_shared<std::optional<SoundDeviceFormat>>();
    if (!RunOnDevice([device = device_, format] {
            if (device->Ensure())
                *format = device->format;
        }) ||
        !*format)
        return;
    // Converted here rather than on the device thread, which answers within kAnswerWithin.
    auto samples = std::make_shared<std::optional<std::vector<uint8_t>>>(make(**format));
    auto started = std::make_shared<std::optional<Started>>();
    if (RunOnDevice([device = device_, samples, started] {
            if (device->handle != 0)
                *started = device->Start(std::move(*samples));
        }) &&
        *started && !device_->WaitUntilHeard(**started)) {
        // Closed off this thread, and opened afresh for a later sound once the server answers.
        device_->closingStalled = true;
        thread_.Post([device = device_] {
            device->Close();
            device->closingStalled = false;
        });
    }
}

void SdlSoundOutput::PlayWavSync(std::span<const uint8_t> wav)
{
    PlayToTheEnd([wav](const SoundDeviceFormat& format) { return ToDeviceFormat(wav, format); });
}

void SdlSoundOutput::StartInBackground(std::span<const uint8_t> wav, bool queued)
{
    auto task = [device = device_, queued, sound = std::vector<uint8_t>(wav.begin(), wav.end())] {
        if (device->Ensure())
            device->Start(ToDeviceFormat(sound, device->format), queued);
    };
    if (!thread_.Post(std::move(task)))
        device_->Report("the sound server does not answer");
}

void SdlSoundOutput::PlayWavAsync(std::span<const uint8_t> wav) { StartInBackground(wav, false); }

void SdlSoundOutput::QueueWav(std::span<const uint8_t> wav) { StartInBackground(wav, true); }

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
    const auto until = Clock::now() + std::chrono::milliseconds(milliseconds);
    const bool audible = frequencyHz >= kLowestBeep && frequencyHz <= kHighestBeep;
    if (audible && PcSpeakerTone(frequencyHz, milliseconds))
        return;
    for (int64_t done = 0; audible && done < milliseconds; done += kLongestSquareWavePiece) {
        const auto piece = static_cast<int>(std::min<int64_t>(kLongestSquareWavePiece, milliseconds - done));
        PlayToTheEnd([=](const SoundDeviceFormat& format) { return SquareWave(frequencyHz, done, piece, format); });
    }
    std::this_thread::sleep_until(until); // silent, or cut short: the beep still takes its time
}

// For LeakSanitizer in sanitizer builds: SDL's PulseAudio backend starts server queries from its
// device-watching thread and never frees them, and the session bus connection made on a desktop
// keeps a buffer to the end; those leaks are not ours to report.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libpulse.so\n"
           "leak:libdbus-1.so\n";
}

SdlSoundOutput& SystemSoundOutput()
{
    static SdlSoundOutput output(std::cerr);
    return output;
}

} // namespace dorvane
