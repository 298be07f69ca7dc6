// IClassFactory for one filter of a CaptureFilterTable.
#pragma once

#include "devices/dshow/filter_registry.h"

// Created with one reference; null when out of memory.
IClassFactory* CreateFilterFactory(const CaptureFilterEntry& entry);
