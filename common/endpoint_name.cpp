// The one place that defines the property key: <initguid.h> beside the
// DirectShow headers would define their GUIDs a second time.
#include <windows.h>
#include <propsys.h>

#include <initguid.h>

#include <functiondiscoverykeys_devpkey.h>

#include "common/endpoint_name.h"

#include <wrl/client.h>

std::wstring EndpointFriendlyName(IMMDevice* device) {
    Microsoft::WRL::ComPtr<IPropertyStore> store;
    if (FAILED(device->OpenPropertyStore(STGM_READ, &store))) return std::wstring();
    PROPVARIANT value;
    PropVariantInit(&value);
    std::wstring name;
    if (SUCCEEDED(store->GetValue(PKEY_Device_FriendlyName, &value)) && value.vt == VT_LPWSTR && value.pwszVal)
        name = value.pwszVal;
    PropVariantClear(&value);
    return name;
}
