#include "tones/SharedToneGenerator.h"

#include "platform/SdlSoundOutput.h"
#include "tones/NoPendingMessages.h"

namespace dorvane {

ToneGenerator& SharedToneGenerator()
{
    static NoPendingMessages noWindows;
    static ToneGenerator generator(SystemSoundOutput(), noWindows);
    return generator;
}

} // namespace dorvane
