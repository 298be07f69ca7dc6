// The DirectShow and COM declarations every filter file uses.
#pragma once

#include <windows.h>
#include <mmreg.h>
#include <ole2.h>
#include <strmif.h>

#include <amvideo.h>  // needs strmif.h
#include <uuids.h>
#include <vfwmsgs.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;
