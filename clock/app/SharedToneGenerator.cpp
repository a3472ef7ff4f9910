#include "clock/app/SharedToneGenerator.h"

#include "platform/NullMessagePump.h"
#include "platform/linux/SdlSoundOutput.h"

namespace dorvane {

ToneGenerator& SharedToneGenerator()
{
    static NullMessagePump noWindows;
    static ToneGenerator generator(SystemSoundOutput(), noWindows);
    return generator;
}

} // namespace dorvane
