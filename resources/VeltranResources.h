#pragma once
// The program's resource module: its dialog templates, strings and icon.

#include "platform/window/Resources.h"

const platform::ResourceModule& veltranResources();

// Each resource is defined in a file of its own.
extern const platform::DialogTemplate aboutTemplate;
extern const platform::DialogTemplate mainWindowTemplate;
extern const platform::DialogTemplate portSetupTemplate;
extern const platform::Icon programIcon;
