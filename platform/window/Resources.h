#pragma once
// Resources as data: dialog templates with their list entries, strings and
// icons. The program hands its resource module to the layer at start-up, as an
// executable carries its resources.

#include "platform/base/Win32Types.h"
#include "platform/window/Window.h"

#include <cstdint>
#include <vector>

namespace platform {

struct ControlTemplate {
    int id;
    WindowKind kind;
    const char* text;
    short x, y, cx, cy; // dialog units
    DWORD style;
    UINT iconId = 0; // pictures: the icon they show
};

// An entry that the dialog's initialisation adds to one of its lists.
struct DialogInitEntry {
    int controlId;
    const char* text;
};

struct DialogTemplate {
    UINT id;
    bool extended;
    const char* caption;
    short x, y, cx, cy;
    DWORD style;
    DWORD exStyle;
    const char* fontName;
    int fontPoints;
    std::vector<ControlTemplate> controls;
    std::vector<DialogInitEntry> initEntries;
};

struct Icon {
    UINT id;
    int width;
    int height;
    std::vector<std::uint32_t> argb; // row by row, top row first
};

struct StringResource {
    UINT id;
    const char* text;
};

struct ResourceModule {
    std::vector<const DialogTemplate*> dialogs;
    std::vector<const Icon*> icons;
    std::vector<StringResource> strings;

    const DialogTemplate* dialog(UINT id) const;
    const Icon* icon(UINT id) const;
    const char* string(UINT id) const;
};

// The module in force; an empty one until the program sets its own.
const ResourceModule& resources();
void setResources(const ResourceModule* module);

} // namespace platform

HICON LoadIconA(UINT id);
