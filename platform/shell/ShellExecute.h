#pragma once
// ShellExecuteEx: starts a program (or the program a shortcut file points
// to) with its parameters, through CreateProcessW.

#include "platform/base/WinTypes.h"
#include "platform/kernel/ProcessHandles.h"

using ULONG = unsigned long;
struct SHELLEXECUTEINFO {
    DWORD cbSize;
    ULONG fMask;
    HWND hwnd;
    LPCWSTR lpVerb;
    LPCWSTR lpFile;
    LPCWSTR lpParameters;
    LPCWSTR lpDirectory;
    int nShow;
    HINSTANCE hInstApp;
    void* lpIDList;
    LPCWSTR lpClass;
    void* hkeyClass;
    DWORD dwHotKey;
    HICON hIcon;
    HANDLE hProcess;
};
using SHELLEXECUTEINFOW = SHELLEXECUTEINFO;
constexpr ULONG SEE_MASK_NOCLOSEPROCESS = 0x00000040;

// FALSE when lpFile is missing or cannot be started. A ".lnk" file starts its
// target, with lpParameters appended to the shortcut's own arguments. With
// SEE_MASK_NOCLOSEPROCESS, hProcess receives a process handle to close.
BOOL ShellExecuteEx(SHELLEXECUTEINFO* info);
