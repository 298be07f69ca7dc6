// The table of filters a DLL hosts, and the DLL entry points built on it:
// class objects, and registration as capture devices of a device category.
#pragma once

#include "devices/dshow/capture_source.h"

#include <memory>

struct CaptureFilterEntry {
    const CLSID* clsid;
    const wchar_t* name;     // the device's friendly name
    const GUID* category;    // CLSID_VideoInputDeviceCategory or CLSID_AudioInputDeviceCategory
    const GUID* major_type;  // MEDIATYPE_Video or MEDIATYPE_Audio
    const GUID* sub_type;    // the pin's subtype, for the filter mapper
    std::unique_ptr<CaptureSource> (*create_source)();  // null when the device cannot be opened
};

struct CaptureFilterTable {
    const CaptureFilterEntry* entries;
    size_t count;
};

// DllGetClassObject for the table.
HRESULT GetFilterClassObject(const CaptureFilterTable& table, REFCLSID clsid, REFIID riid, void** out);
// Writes HKCR\CLSID\{clsid} (in-process server: this DLL, threading "Both") and the
// device category entry of every filter. Needs the rights to write HKCR.
HRESULT RegisterFilters(const CaptureFilterTable& table);
// Removes what RegisterFilters wrote; entries already gone are no error.
HRESULT UnregisterFilters(const CaptureFilterTable& table);
