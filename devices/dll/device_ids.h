// The two capture devices this DLL registers.
#pragma once

#include <windows.h>

// {A6C93621-66F1-4B75-ADC3-369969C748DE}
constexpr CLSID kClsidScreenCapture = {0xa6c93621, 0x66f1, 0x4b75, {0xad, 0xc3, 0x36, 0x99, 0x69, 0xc7, 0x48, 0xde}};
// {1D56759E-3D5C-4A9A-9714-BA64D1B64365}
constexpr CLSID kClsidSystemSound = {0x1d56759e, 0x3d5c, 0x4a9a, {0x97, 0x14, 0xba, 0x64, 0xd1, 0xb6, 0x43, 0x65}};

constexpr const wchar_t* kScreenDeviceName = L"screen-capture-recorder";
constexpr const wchar_t* kSystemSoundDeviceName = L"virtual-audio-capturer";
