#include "devices/dshow/filter_registry.h"

#include "devices/dshow/class_factory.h"
#include "devices/dshow/dll_module.h"

#include <string>

namespace {

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring ClsidKeyPath(const GUID& clsid) { return L"CLSID\\" + GuidText(clsid); }

LSTATUS SetStringValue(HKEY key, const wchar_t* name, const std::wstring& value) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          DWORD((value.size() + 1) * sizeof(wchar_t)));
}

HRESULT WriteServerKey(const CaptureFilterEntry& entry, const std::wstring& module_path) {
    HKEY clsid_key = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, ClsidKeyPath(*entry.clsid).c_str(), 0, nullptr, 0, KEY_WRITE,
                                     nullptr, &clsid_key, nullptr);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
    HKEY server_key = nullptr;
    status = SetStringValue(clsid_key, nullptr, entry.name);
    if (status == ERROR_SUCCESS)
        status = RegCreateKeyExW(clsid_key, L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr, &server_key, nullptr);
    if (status == ERROR_SUCCESS) {
        status = SetStringValue(server_key, nullptr, module_path);
        if (status == ERROR_SUCCESS) status = SetStringValue(server_key, L"ThreadingModel", L"Both");
        RegCloseKey(server_key);
    }
    RegCloseKey(clsid_key);
    return HRESULT_FROM_WIN32(status);
}

HRESULT DeleteServerKey(const CaptureFilterEntry& entry) {
    LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, ClsidKeyPath(*entry.clsid).c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

ComPtr<IFilterMapper2> CreateMapper() {
    ComPtr<IFilterMapper2> mapper;
    CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                     reinterpret_cast<void**>(mapper.GetAddressOf()));
    return mapper;
}

// The device entry under the category: FriendlyName, CLSID and the pin's type.
HRESULT RegisterDevice(IFilterMapper2* mapper, const CaptureFilterEntry& entry) {
    REGPINTYPES pin_type = {entry.major_type, entry.sub_type};
    REGFILTERPINS2 pin{};
    pin.dwFlags = REG_PINFLAG_B_OUTPUT;
    pin.cInstances = 1;
    pin.nMediaTypes = 1;
    pin.lpMediaType = &pin_type;
    pin.clsPinCategory = &PIN_CATEGORY_CAPTURE;
    REGFILTER2 filter{};
    filter.dwVersion = 2;
    filter.dwMerit = MERIT_DO_NOT_USE;
    filter.cPins2 = 1;
    filter.rgPins2 = &pin;
    return mapper->RegisterFilter(*entry.clsid, entry.name, nullptr, entry.category, nullptr, &filter);
}

// Runs `step` for every entry with COM initialised on this thread, as
// regsvr32 does not promise it.
template <class Step>
HRESULT ForEachEntry(const CaptureFilterTable& table, Step step) {
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HRESULT result = S_OK;
    ComPtr<IFilterMapper2> mapper = CreateMapper();
    if (!mapper) result = REGDB_E_CLASSNOTREG;
    for (size_t i = 0; i < table.count && mapper; ++i) {
        HRESULT hr = step(mapper.Get(), table.entries[i]);
        if (FAILED(hr) && SUCCEEDED(result)) result = hr;
    }
    mapper.Reset();
    if (SUCCEEDED(init)) CoUninitialize();
    return result;
}

}  // namespace

HRESULT GetFilterClassObject(const CaptureFilterTable& table, REFCLSID clsid, REFIID riid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (size_t i = 0; i < table.count; ++i) {
        if (!IsEqualCLSID(clsid, *table.entries[i].clsid)) continue;
        IClassFactory* factory = CreateFilterFactory(table.entries[i]);
        if (!factory) return E_OUTOFMEMORY;
        HRESULT hr = factory->QueryInterface(riid, out);
        factory->Release();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT RegisterFilters(const CaptureFilterTable& table) {
    std::wstring path = ModulePath();
    if (path.empty()) return HRESULT_FROM_WIN32(GetLastError());
    return ForEachEntry(table, [&](IFilterMapper2* mapper, const CaptureFilterEntry& entry) {
        HRESULT hr = WriteServerKey(entry, path);
        return SUCCEEDED(hr) ? RegisterDevice(mapper, entry) : hr;
    });
}

HRESULT UnregisterFilters(const CaptureFilterTable& table) {
    return ForEachEntry(table, [](IFilterMapper2* mapper, const CaptureFilterEntry& entry) {
        HRESULT hr = mapper->UnregisterFilter(entry.category, nullptr, *entry.clsid);
        // Already gone is what was asked for.
        if (hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || hr == VFW_E_NOT_FOUND) hr = S_OK;
        HRESULT server = DeleteServerKey(entry);
        return FAILED(hr) ? hr : server;
    });
}
