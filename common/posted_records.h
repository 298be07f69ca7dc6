// Heap records that travel with posted window messages (a menu command, a
// scheduled start, a mouse report). The sender registers each record before it
// posts it; the receiver claims it, and only a record this module registered and
// nobody has claimed yet comes back. A pointer from anywhere else (another
// process, a stale or repeated message) is then never read or freed.
//
// One registry per module: a DLL with its own copy of this code keeps its own
// records and answers for them itself (see areaprobe.h).
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <typeindex>
#include <typeinfo>

void RegisterPostedRecord(const void* record, std::type_index type);
// true, and the record forgotten, when it was registered with that type and not
// claimed since.
bool ClaimPostedRecord(const void* record, std::type_index type);
// Forgets the record whatever its state (a sender whose post failed).
void ForgetPostedRecord(const void* record);
// Records registered and not claimed yet.
size_t LivePostedRecordCount();

template <class T>
void RegisterPostedRecord(const T* record) {
    RegisterPostedRecord(record, std::type_index(typeid(T)));
}

// The record a message carries when it is one of ours, now the caller's to free;
// null otherwise.
template <class T>
T* ClaimPostedRecord(uintptr_t value) {
    T* record = reinterpret_cast<T*>(value);
    return record && ClaimPostedRecord(record, std::type_index(typeid(T))) ? record : nullptr;
}

// Posts a heap copy of record to window (wParam the copy, lParam 0). false, with
// nothing left behind, when the copy or the post fails.
template <class T>
bool PostRecordCopy(HWND window, UINT message, const T& record) {
    T* copy = new (std::nothrow) T(record);
    if (!copy) return false;
    RegisterPostedRecord(copy);
    if (PostMessageW(window, message, reinterpret_cast<WPARAM>(copy), 0)) return true;
    ForgetPostedRecord(copy);
    delete copy;
    return false;
}
