#include "app/CInstanceMarker.h"

void CInstanceMarker::Set(HWND window)
{
    SetPropW(window, kName, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(1)));
}

void CInstanceMarker::Remove(HWND window)
{
    RemovePropW(window, kName);
}

bool CInstanceMarker::IsMarked(HWND window)
{
    return GetPropW(window, kName) != nullptr;
}
