// The name Windows shows for an audio endpoint.
#pragma once

#include <mmdeviceapi.h>

#include <string>

// Empty when the endpoint has none.
std::wstring EndpointFriendlyName(IMMDevice* device);
