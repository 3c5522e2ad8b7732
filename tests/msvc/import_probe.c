/* An MSVC-style program linked with the SDK's MSVC import library alone (no
 * C runtime): Windows loads QOR32CL.DLL and binds both imports before the
 * entry point runs. */
typedef struct HWND__ *HWND;
__declspec(dllimport) long __stdcall BitmapWndProc(HWND, unsigned, unsigned long, long);
__declspec(dllimport) int __stdcall EnumDestroyChildWnd(HWND, long);

void *volatile g_imports[2];

int __stdcall ProbeEntry(void)
{
    g_imports[0] = (void *)&BitmapWndProc;
    g_imports[1] = (void *)&EnumDestroyChildWnd;
    return g_imports[0] != 0 && g_imports[1] != 0 ? 0 : 1;
}
