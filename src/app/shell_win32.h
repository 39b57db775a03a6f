/*
 * The Win32 program shell's handles, shared by the front end: the module
 * instance, kept before the window is created so that the panel can make
 * its controls with it, and the one top-level window.
 */
#pragma once

#include <windows.h>

extern HINSTANCE ModuleInstance;
extern HWND ControlWindow;
