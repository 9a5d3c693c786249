#include "platform/window/Resources.h"

namespace platform {

namespace {
const ResourceModule emptyModule;
const ResourceModule* current = &emptyModule;
} // namespace

const DialogTemplate* ResourceModule::dialog(UINT id) const {
    for (const DialogTemplate* t : dialogs) {
        if (t->id == id)
            return t;
    }
    return nullptr;
}

const Icon* ResourceModule::icon(UINT id) const {
    for (const Icon* i : icons) {
        if (i->id == id)
            return i;
    }
    return nullptr;
}

const char* ResourceModule::string(UINT id) const {
    for (const StringResource& s : strings) {
        if (s.id == id)
            return s.text;
    }
    return nullptr;
}

const ResourceModule& resources() {
    return *current;
}
void setResources(const ResourceModule* module) {
    current = module ? module : &emptyModule;
}

} // namespace platform

HICON LoadIconA(UINT id) {
    return platform::resources().icon(id);
}

BOOL CString::LoadString(UINT id) {
    const char* text = platform::resources().string(id);
    if (!text) {
        Empty();
        return FALSE;
    }
    *this = CString(text);
    return !IsEmpty();
}
