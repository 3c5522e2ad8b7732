/* app.c: a window with a status pane, built against the SDK alone. */
#include <windows.h>
#include "qor32cl.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR command, int show)
{
    HWND frame, pane;
    (void)previous; (void)command;
    frame = CreateWindowExA(0, "STATIC", "App", WS_OVERLAPPEDWINDOW, 0, 0, 320, 120,
                            NULL, NULL, instance, NULL);
    /* The classes are registered when QOR32CL.DLL is loaded: this program
     * references an export below, so the DLL is loaded at start-up. */
    pane = CreateWindowExA(0, QOR32_STATUS_CLASS, "Ready", WS_CHILD | WS_VISIBLE,
                           0, 60, 320, 20, frame, (HMENU)1, instance, NULL);
    ShowWindow(frame, show);
    EnumChildWindows(frame, EnumDestroyChildWnd, 0); /* destroys the pane */
    DestroyWindow(frame);
    return pane != NULL ? 0 : 1;
}
