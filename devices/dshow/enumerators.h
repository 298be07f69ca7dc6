// IEnumPins and IEnumMediaTypes over fixed lists, as a filter with fixed pins
// and a pin with fixed types hand them out.
#pragma once

#include "devices/dshow/dshow_api.h"

#include <vector>

// Holds a reference on each pin. Created with one reference.
IEnumPins* CreatePinEnum(const std::vector<IPin*>& pins);
// Copies the types; each Next hands the caller a fresh copy. null when out of memory.
IEnumMediaTypes* CreateMediaTypeEnum(const std::vector<const AM_MEDIA_TYPE*>& types);
