#include "clock/app/SharedToneGenerator.h"

#include "platform/NullMessagePump.h"
#ifdef _WIN32
#include "platform/win32/WindowsSoundOutput.h"
#else
#include "platform/linux/SdlSoundOutput.h"
#endif

namespace dorvane {

ToneGenerator& SharedToneGenerator()
{
    static NullMessagePump noWindows;
    static ToneGenerator generator(SystemSoundOutput(), noWindows);
    return generator;
}

} // namespace dorvane
