#include "tests/support/PulseRecording.h"

#include "tests/support/ShellCommand.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>

namespace dorvane::testing {
namespace {

std::string CommandOutput(const std::string& command) { return RunShell(command).output; }

// This process's own null sink, loaded at first use and unloaded when the process ends.
class PrivateSink {
public:
    static Result<const PrivateSink*> Get()
    {
        static PrivateSink sink;
        if (!sink.error_.empty())
            return Result<const PrivateSink*>::Failure(sink.error_);
        return &sink;
    }
    const std::string& name() const { return name_; }

private:
    PrivateSink()
    {
        if (std::system("pactl info >/dev/null 2>&1 && command -v pacat >/dev/null 2>&1") != 0) {
            error_ = "no PulseAudio server or pacat (source scripts/test-services to start one)";
            return;
        }
        const char* base = std::getenv("DORVANE_TEST_SINK");
        const std::string prefix = std::string(base && *base ? base : "dorvane_null") + "_";
        UnloadSinksOfEndedProcesses(prefix);
        name_ = prefix + std::to_string(getpid());
        module_ = CommandOutput("pactl load-module module-null-sink sink_name=" + name_ + " rate=" +
                                std::to_string(PulseRecording::kRate) + " channels=2 2>/dev/null");
        if (module_.empty() || module_.find_first_not_of("0123456789\n") != std::string::npos) {
            error_ = "the PulseAudio server would not load a null sink";
            return;
        }
        setenv("PULSE_SINK", name_.c_str(), 1);
    }
    ~PrivateSink()
    {
        if (error_.empty())
            CommandOutput("pactl unload-module " + module_ + " 2>/dev/null");
    }

    // A test process that crashed left its sink behind: "<module> module-null-sink sink_name=<prefix><pid> ...".
    static void UnloadSinksOfEndedProcesses(const std::string& prefix)
    {
        const std::string key = "sink_name=" + prefix;
        std::istringstream modules(CommandOutput("pactl list short modules 2>/dev/null"));
        std::string line;
        while (std::getline(modules, line)) {
            const auto at = line.find(key);
            if (at == std::string::npos)
                continue;
            const auto pidStart = at + key.size();
            const std::string pid = line.substr(pidStart, line.find_first_not_of("0123456789", pidStart) - pidStart);
            const std::string module = line.substr(0, line.find_first_of(" \t"));
            if (!pid.empty() && !std::filesystem::exists("/proc/" + pid))
                CommandOutput("pactl unload-module " + module + " 2>/dev/null");
        }
    }

    std::string name_;
    std::string module_;
    std::string error_;
};

// Starts pacat recording the source into file. It ends with this process, also when a test crashes,
// and keeps away from the test's output (which the test runner waits on).
pid_t StartRecorder(const std::string& source, const std::filesystem::path& file)
{
    const std::string device = "--device=" + source;
    const std::string rate = "--rate=" + std::to_string(PulseRecording::kRate);
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child != 0)
        return child;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent)
        _exit(1);
    const int out = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
    if (out < 0 || null < 0 || dup2(null, STDIN_FILENO) < 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(null, STDERR_FILENO) < 0)
        _exit(1);
    execlp("pacat", "pacat", "--record", device.c_str(), "--format=s16le", rate.c_str(), "--channels=2", "--raw",
           "--latency-msec=50", static_cast<char*>(nullptr));
    _exit(127);
}

} // namespace

Result<std::unique_ptr<PulseRecording>> PulseRecording::Start()
{
    using Made = Result<std::unique_ptr<PulseRecording>>;
    const auto sink = PrivateSink::Get();
    if (!sink)
        return Made::Failure(sink.error());

    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("dorvane-recording-" + std::to_string(getpid()) + ".raw");
    std::filesystem::remove(file);
    const pid_t recorder = StartRecorder(sink.value()->name() + ".monitor", file);
    if (recorder < 0)
        return Made::Failure("pacat could not be started");
    std::unique_ptr<PulseRecording> recording(new PulseRecording(recorder, file));

    // An idle null sink wakes up only after its long idle period (up to 2 s); wait for the samples.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(6);
    std::error_code error;
    while (std::filesystem::file_size(file, error) == 0 || error) {
        if (std::chrono::steady_clock::now() > deadline)
            return Made::Failure("the recording of the sink's monitor gave no samples");
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return Made(std::move(recording));
}

PulseRecording::~PulseRecording()
{
    if (recorder_ > 0) {
        kill(recorder_, SIGINT);
        waitpid(recorder_, nullptr, 0);
    }
    std::filesystem::remove(file_);
}

std::vector<int16_t> PulseRecording::Stop()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    kill(recorder_, SIGINT);
    waitpid(recorder_, nullptr, 0);
    recorder_ = 0;
    std::ifstream in(file_, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> left(bytes.size() / 4);
    for (std::size_t i = 0; i < left.size(); ++i)
        left[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[4 * i]) | static_cast<uint8_t>(bytes[4 * i + 1]) << 8);
    return left;
}

} // namespace dorvane::testing
