// Any bytes as a settings file: parsing, looking up, setting and writing back never crash, a value
// just set is found again, and a file written back parses to the same values.
#include "clock/settings/IniFile.h"
#include "clock/settings/IniProfile.h"
#include "fuzz/FuzzInput.h"

using namespace dorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniFile file = IniFile::Parse(bytes);

    const std::string before = IniProfile::Lookup(file, "Settings", "Skin", "<Default>");
    Require(before.size() <= IniProfile::kMaxValueLength);
    for (const char* section : {"Settings", "Alarm0", "Alarm6"})
        for (const char* key : {"Skin", "X", "AlarmHour", "AlarmMessage"})
            (void)file.Find(section, key);

    // Part of the input, line breaks and all, stored as a value.
    const std::string value(bytes.substr(0, std::min<size_t>(size, 64)));
    file.Set("Alarm3", "AlarmMessage", value);
    const std::string written = file.Serialize();
    IniFile again = IniFile::Parse(written);
    const auto found = again.Find("Alarm3", "AlarmMessage");
    Require(found && again.Serialize() == written);
    return 0;
}
