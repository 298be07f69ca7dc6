// The DLL entry points of a filter DLL (DllMain, DllGetClassObject,
// DllCanUnloadNow, DllRegisterServer, DllUnregisterServer), built into each
// filter DLL as an object library. The DLL supplies its table.
#pragma once

#include "devices/dshow/filter_registry.h"

const CaptureFilterTable& HostedFilterTable();
