/* Consumer check of the installed SDK: every control from a dialog
 * template and by CreateWindowExA, a few messages on each, exit code 0 when
 * all is well. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

#include "qor32cl.h"
#include "consumer_ids.h"

#include "create.c"
#include "handle_text.c"

int g_failures;
int CheckCppHelpers(HINSTANCE instance); /* cpp_helpers.cpp */

void Check(int ok, const char *what)
{
    if (!ok) {
        printf("FAILED: %s\n", what);
        ++g_failures;
    }
}

static void CheckClass(HWND hwnd, const char *cls, const char *what)
{
    char name[64] = "";
    if (hwnd) GetClassNameA(hwnd, name, sizeof name);
    Check(hwnd != NULL && strcmp(name, cls) == 0, what);
}

static INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp)
{
    (void)dlg; (void)wp; (void)lp;
    return msg == WM_INITDIALOG;
}

static void FromTemplate(HINSTANCE instance)
{
    HWND dlg = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_CONSUMER), NULL, DialogProc, 0);
    Check(dlg != NULL, "dialog template with the library's classes");
    if (!dlg) return;
    CheckClass(GetDlgItem(dlg, IDC_OK_BUTTON), QOR32_BITMAP_CLASS, "template: push button");
    CheckClass(GetDlgItem(dlg, IDC_LAMP_CHECK), QOR32_BITMAP_CLASS, "template: check box");
    CheckClass(GetDlgItem(dlg, IDC_STATUS_PANE), QOR32_STATUS_CLASS, "template: status pane");
    CheckClass(GetDlgItem(dlg, IDC_TABS), QOR32_TAB_CLASS, "template: tabs");
    CheckClass(GetDlgItem(dlg, IDC_VOLUME), QOR32_SLIDE_CLASS, "template: slider");
    CheckClass(GetDlgItem(dlg, IDC_KEYPAD), QOR32_MATRIX_CLASS, "template: keypad");

    SendDlgItemMessageA(dlg, IDC_LAMP_CHECK, BMPM_CHECK, 0, 0);
    Check((SendDlgItemMessageA(dlg, IDC_LAMP_CHECK, BMPM_GETSTATE, 0, 0) & BMPF_CHECKED) != 0,
          "BMPM_CHECK checks the check box");
    /* tabs are named by identifier: the control's own plus the index */
    SendDlgItemMessageA(dlg, IDC_TABS, TABM_SETSEL, IDC_TABS + 2, 0);
    Check(SendDlgItemMessageA(dlg, IDC_TABS, TABM_GETSEL, 0, 0) == IDC_TABS + 2,
          "TABM_SETSEL / TABM_GETSEL");
    Check(LOWORD(SendDlgItemMessageA(dlg, IDC_VOLUME, SLDM_GETPOS, 0, 0)) == 40,
          "SLDM_GETPOS reads the position of the control text");
    DestroyWindow(dlg);
}

static void ByCreateWindow(HINSTANCE instance)
{
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 320,
                                  NULL, NULL, instance, NULL);
    HWND h;
    Check(parent != NULL, "parent window");
    h = CreateWindowExA(0, QOR32_BITMAP_CLASS, "Apply~B0,0,0,0,0,0,0,0", WS_CHILD | WS_VISIBLE,
                        10, 10, 80, 24, parent, (HMENU)(INT_PTR)10, instance, NULL);
    CheckClass(h, QOR32_BITMAP_CLASS, "CreateWindowExA: bitmap button");
    h = CreateWindowExA(0, QOR32_MATRIX_CLASS, "~M0 1 0 3 MTX_KEYPAD 4 2 4 4 3 3 0 0",
                        WS_CHILD | WS_VISIBLE, 100, 10, 125, 40, parent, (HMENU)(INT_PTR)11,
                        instance, NULL);
    CheckClass(h, QOR32_MATRIX_CLASS, "CreateWindowExA: matrix");
    h = CreateWindowExA(0, QOR32_SLIDE_CLASS, "~S 0 3 0 0 SLD_HTHUMB SLD_HTRACK 0 0 40 0 100 0 10 0",
                        WS_CHILD | WS_VISIBLE, 240, 10, 120, 15, parent, (HMENU)(INT_PTR)12,
                        instance, NULL);
    CheckClass(h, QOR32_SLIDE_CLASS, "CreateWindowExA: slider from text");
    h = CreateWindowExA(0, QOR32_TAB_CLASS, "~Q19 TAB_STRIP", WS_CHILD | WS_VISIBLE, 10, 60, 250, 20,
                        parent, (HMENU)(INT_PTR)13, instance, NULL);
    CheckClass(h, QOR32_TAB_CLASS, "CreateWindowExA: tabs");
    h = CreateWindowExA(0, QOR32_STATUS_CLASS, "Ready", WS_CHILD | WS_VISIBLE, 0, 290, 640, 30,
                        parent, (HMENU)(INT_PTR)14, instance, NULL);
    CheckClass(h, QOR32_STATUS_CLASS, "CreateWindowExA: status pane");

    h = CreateColorPicker(parent, instance, 20);
    CheckClass(h, QOR32_COLOR_CLASS, "CreateWindowExA: colour picker");
    h = CreatePatternPicker(parent, instance, 21);
    CheckClass(h, QOR32_PATTERN_CLASS, "CreateWindowExA: pattern picker");
    h = CreatePagePreview(parent, instance, 22);
    CheckClass(h, QOR32_PREVIEW_CLASS, "CreateWindowExA: preview");
    h = CreatePad(parent, instance, 23);
    CheckClass(h, QOR32_SLIDE_CLASS, "CreateWindowExA: slider from a record");
    h = CreateOptionGroup(parent, instance, 30);
    CheckClass(h, QOR32_SELECTION_CLASS, "CreateWindowExA: option group");
    CheckClass(GetDlgItem(h, 32), QOR32_BITMAP_CLASS, "option group: third option");
    SendMessageA(h, SELM_SETCHOICE, 31, 0);
    Check(SendMessageA(h, SELM_GETCHOICE, 0, 0) == 31, "SELM_SETCHOICE / SELM_GETCHOICE");

    {
        /* a bitmap passed by handle stays the application's */
        HBITMAP bitmap = CreateBitmap(64, 32, 1, 32, NULL);
        BITMAP info;
        h = CreateButtonWithBitmap(parent, instance, 40, bitmap);
        CheckClass(h, QOR32_BITMAP_CLASS, "CreateWindowExA: button with an HBITMAP= image");
        DestroyWindow(h);
        Check(GetObjectA(bitmap, sizeof info, &info) == sizeof info,
              "a bitmap passed by HBITMAP= outlives the button");
        DeleteObject(bitmap);
    }
    /* The exported callback, through the import library: it destroys every
     * child it is given. */
    EnumChildWindows(parent, EnumDestroyChildWnd, 0);
    Check(GetWindow(parent, GW_CHILD) == NULL, "EnumDestroyChildWnd destroys the children");
    DestroyWindow(parent);
}

int main(void)
{
    HINSTANCE instance = GetModuleHandleA(NULL);
    /* A program that names the classes only in templates references no
     * export, and the linker drops the import: load the library by name. */
    HMODULE library = LoadLibraryA("QOR32CL.DLL");
    WNDCLASSEXA wc;
    Check(library != NULL, "LoadLibraryA(\"QOR32CL.DLL\")");
    Check(GetProcAddress(library, "BitmapWndProc") != NULL, "export BitmapWndProc");
    wc.cbSize = sizeof wc;
    Check(GetClassInfoExA(NULL, QOR32_STATUS_CLASS, &wc) != 0, "global class Qor32Status");

    FromTemplate(instance);
    ByCreateWindow(instance);
    CheckCppHelpers(instance);
    printf("%s\n", g_failures ? "consumer: FAILED" : "consumer: all checks passed");
    return g_failures ? 1 : 0;
}
