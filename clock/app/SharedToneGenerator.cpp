#include "clock/app/SharedToneGenerator.h"

#include "platform/linux/SdlSoundOutput.h"
#include "platform/NullMessagePump.h"

namespace dorvane {

ToneGenerator& SharedToneGenerator()
{
    static NullMessagePump noWindows;
    static ToneGenerator generator(SystemSoundOutput(), noWindows);
    return generator;
}

} // namespace dorvane
