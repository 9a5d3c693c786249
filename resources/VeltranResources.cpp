#include "resources/VeltranResources.h"

#include "platform/window/WinApp.h"
#include "resources/ResourceIds.h"

namespace {
constexpr const char* kHelpText =
    "Veltran loads a command set into a line display.\n\n"
    "Start Download: erases the display and sends the command set chosen in the list.\n"
    "Save to Line Display: switches a display on a serial port to the baud rate chosen above it.\n"
    "EXIT: ends the program at once.\n\n"
    "The list shows the .CSF files of the folder the program was started in.";
} // namespace

const platform::ResourceModule& veltranResources() {
    static const platform::ResourceModule module{
        {&aboutTemplate, &mainWindowTemplate, &portSetupTemplate},
        {&programIcon},
        {{IDS_ABOUTBOX, "&About Veltran..."}, {platform::kHelpTextId, kHelpText}},
    };
    return module;
}
