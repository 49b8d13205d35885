#pragma once

// The few Windows dialog services that modules call, declared over the
// host's own window handles. User data (index -21) is pointer-sized.

#include <cstdint>

#include "host/types.h"

#if defined(_WIN32)
#define WINAPI __stdcall
#else
#define WINAPI
#endif

struct HWND__;
using HWND = HWND__*;
struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG_PTR = std::intptr_t;
using INT_PTR = std::intptr_t;

struct RECT {
    int left, top, right, bottom;
};

/// A dialog's window procedure: answers non-zero when it handled the message.
using DLGPROC = INT_PTR (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

constexpr int GWLP_USERDATA = -21;

constexpr UINT LOWORD(WPARAM w) { return UINT(w & 0xffff); }
constexpr UINT HIWORD(WPARAM w) { return UINT((w >> 16) & 0xffff); }

HOST_API LONG_PTR GetWindowLongA(HWND window, int index);
/// Answers the previous value.
HOST_API LONG_PTR SetWindowLongA(HWND window, int index, LONG_PTR value);
HOST_API BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
HOST_API BOOL CheckDlgButton(HWND dialog, int id, UINT check);
HOST_API UINT IsDlgButtonChecked(HWND dialog, int id);
HOST_API BOOL SetDlgItemTextA(HWND dialog, int id, const char* text);
HOST_API HWND GetDlgItem(HWND dialog, int id);
HOST_API LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam,
                                     LPARAM lParam);
HOST_API BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
/// Answers the button chosen (6: yes, 7: no, 1: ok, 2: cancel).
HOST_API int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);
HOST_API void InitCommonControls();
