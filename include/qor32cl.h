/*
 * qor32cl.h - public interface of QOR32CL.DLL, nine custom controls for
 * Win32 dialogs.
 *
 * Valid C (C89 and later) and C++. Include <windows.h> before or let this
 * header include it.
 *
 * Loading the library registers nine global window classes. Name them in a
 * dialog template (CONTROL "text", id, "Qor32Bitmap", style, x, y, cx, cy)
 * or pass them to CreateWindowExA. Configuration is by control text, by a
 * creation record passed as lpParam of CreateWindowExA, or by the private
 * messages below. Notifications arrive at the parent as WM_COMMAND.
 *
 * 32-bit and 64-bit builds
 * ------------------------
 * The 32-bit (i686) interface is the reference: every record below has the
 * byte layout given in its comment, checked by static assertions.
 * In the 64-bit (x86_64) build, every field that holds a pointer or a handle
 * is pointer-sized (8 bytes, naturally aligned); the resulting layouts are
 * pinned by static assertions as well (see the "x64" offsets in comments).
 * Window extra bytes are widened the same way (QOR32_*_OFFSET below).
 */
#ifndef QOR32CL_H
#define QOR32CL_H

#include <windows.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Window classes ---------------------------------------------------- */
#define QOR32_BITMAP_CLASS     "Qor32Bitmap"
#define QOR32_MATRIX_CLASS     "Qor32Matrix"
#define QOR32_SLIDE_CLASS      "Qor32Scroll"
#define QOR32_TAB_CLASS        "Qor32Tab"
#define QOR32_COLOR_CLASS      "Qor32Color"
#define QOR32_PATTERN_CLASS    "Qor32Pattern"
#define QOR32_PREVIEW_CLASS    "Qor32Preview"
#define QOR32_SELECTION_CLASS  "Qor32Selection"
#define QOR32_STATUS_CLASS     "Qor32Status"

/* ---- Window extra bytes ------------------------------------------------- */
/* Qor32Bitmap: flag words at 0 and 1 (they overlap in byte 1), font handle,
 * StateBlock handle. Qor32Status: font handle at 0. Every other class: the
 * StateBlock handle at 0. Handles are 4 bytes wide on i686, 8 on x86_64. */
#define QOR32_BMP_FLAGS0_OFFSET   0
#define QOR32_BMP_FLAGS1_OFFSET   1
#ifdef _WIN64
#define QOR32_BMP_FONT_OFFSET     8
#define QOR32_BMP_STATE_OFFSET    16
#define QOR32_BMP_WNDEXTRA        24
#define QOR32_SLOT_WNDEXTRA       8
#else
#define QOR32_BMP_FONT_OFFSET     4
#define QOR32_BMP_STATE_OFFSET    8
#define QOR32_BMP_WNDEXTRA        12
#define QOR32_SLOT_WNDEXTRA       4
#endif
#define QOR32_STATE_OFFSET        0   /* all classes but Qor32Bitmap */
#define QOR32_STATUS_FONT_OFFSET  0

/* ---- Exported functions (ordinals 1 to 11) ------------------------------ */
LRESULT CALLBACK BitmapWndProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ColorWndProc(HWND, UINT, WPARAM, LPARAM);
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID);
BOOL CALLBACK EnumDestroyChildWnd(HWND, LPARAM);
LRESULT CALLBACK MatrixWndProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PatternWndProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PreviewWndProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK SelectionWndProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK SlideWndProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StatusWndProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TabWndProc(HWND, UINT, WPARAM, LPARAM);

/* ---- Bitmap control (Qor32Bitmap) --------------------------------------- */
/* style bits */
#define BMPS_KINDMASK         0x00C0
#define BMPS_PUSHBUTTON       0x0000
#define BMPS_CHECKBOX         0x0040
#define BMPS_RADIOBUTTON      0x0080
#define BMPS_PRESSRADIO       0x00C0
#define BMPS_DEFAULT          0x0800
/* state flags, as returned by BMPM_GETSTATE */
#define BMPF_CHECKED          0x01
#define BMPF_INDETERMINATE    0x02
#define BMPF_HIGHLIGHT        0x04
#define BMPF_FOCUS            0x08
#define BMPF_DOWN             0x10
#define BMPF_DISABLED         0x20
/* private messages */
#define BMPM_GETSTATE            (WM_USER + 50)
#define BMPM_CHECK               (WM_USER + 51)
#define BMPM_UNCHECK             (WM_USER + 52)
#define BMPM_SETINDETERMINATE    (WM_USER + 53)
#define BMPM_CLICK               (WM_USER + 54)
#define BMPM_GETINDICATORSHAPE   (WM_USER + 57)
#define BMPM_GETINDICATORCOLOR   (WM_USER + 58)
#define BMPM_SETINDICATORSHAPE   (WM_USER + 59)
#define BMPM_SETINDICATORCOLOR   (WM_USER + 60)
/* notification code (high word of wParam) */
#define BMPN_CLICK            0

/* ---- Matrix control (Qor32Matrix) --------------------------------------- */
#define MTXS_AUTOREPEAT       0x10   /* within the options of ~M */
#define MTXN_REPEAT           0

/* ---- Slide control (Qor32Scroll) ---------------------------------------- */
#define SLDS_TRANSPARENT      0x10   /* within SlideState.options */
#define SLDF_PRESSED          0x1
#define SLDF_DISABLED         0x2
#define SLDF_FOCUS            0x4
#define SLDF_DRAGGING         0x8
#define SLDM_SETMIN           (WM_USER + 60)
#define SLDM_SETMAX           (WM_USER + 61)
#define SLDM_SETPOS           (WM_USER + 62)
#define SLDM_SETPAGE          (WM_USER + 63)
#define SLDM_GETSTATE         (WM_USER + 64)
#define SLDM_GETPOS           (WM_USER + 65)
#define SLDN_CHANGED          0
#define SLDN_TRACKING         5

/*
 * SlideState: the Slide control's state record, also accepted whole as the
 * creation parameter. Offsets: i686 | x86_64.
 */
typedef struct SlideState {
    HINSTANCE   instance;       /*   0 |   0 */
    WORD        options;        /*   4 |   8 */
    WORD        reserved1;      /*   6 |  10 */
#ifdef _WIN64
    DWORD       reserved1b;     /*     |  12 */
#endif
    const char *thumbNameRef;   /*   8 |  16 */
    const char *trackNameRef;   /*  12 |  24 */
    LONG        minX, minY;     /*  16 |  32 */
    LONG        posX, posY;     /*  24 |  40 */
    LONG        maxX, maxY;     /*  32 |  48 */
    LONG        pageX, pageY;   /*  40 |  56 */
    WORD        state;          /*  48 |  64 */
    WORD        reserved2;      /*  50 |  66 */
#ifdef _WIN64
    DWORD       reserved2b;     /*     |  68 */
#endif
    HBITMAP     thumbBitmap;    /*  52 |  72 */
    HBITMAP     trackBitmap;    /*  56 |  80 */
    HBITMAP     background;     /*  60 |  88 */
    LONG        pressX, pressY;             /*  64 |  96 */
    LONG        travelMinX, travelMinY;     /*  72 | 104 */
    LONG        travelMaxX, travelMaxY;     /*  80 | 112 */
    LONG        thumbX, thumbY;             /*  88 | 120 */
    LONG        thumbWidth, thumbHeight;    /*  96 | 128 */
    LONG        trackWidth, trackHeight;    /* 104 | 136 */
    RECT        dragRect;                   /* 112 | 144 */
    char        thumbName[16];              /* 128 | 160 */
    char        trackName[16];              /* 144 | 176 */
} SlideState;                               /* 160 | 192 */

/* ---- Tab control (Qor32Tab) --------------------------------------------- */
#define TABF_FOCUS            4
#define TABM_SETSEL           (WM_USER + 70)
#define TABM_GETSEL           (WM_USER + 71)
#define TABN_CLICK            0

/* ---- Color picker (Qor32Color): lpParam -> COLORREF[23] ------------------ */
#define CLRF_FOCUS            4
#define CLRM_GETCOLOR         (WM_USER + 58)
#define CLRM_SETCOLOR         (WM_USER + 60)
#define CLRN_CLICK            0
#define CLRN_DBLCLK           5
#define CLRN_RCLICK           0x0437
#define CLRN_RDBLCLK          0x0438
#define QOR32_COLOR_COUNT     23

/* ---- Pattern picker (Qor32Pattern): lpParam -> DWORD[16] ----------------- */
#define PATF_FOCUS            4
#define PATM_GETPATTERN       (WM_USER + 58)
#define PATM_SETPATTERN       (WM_USER + 60)
#define PATN_CLICK            0
#define PATN_DBLCLK           5
#define PATN_RCLICK           0x0437
#define PATN_RDBLCLK          0x0438
#define QOR32_PATTERN_COUNT   16

/* ---- Preview control (Qor32Preview) ------------------------------------- */
#define PRVF_CAPTION          0x0100
#define PRVF_SWAPBW           0x0200
#define PRVF_HGUIDE           0x0400
#define PRVF_VGUIDE           0x0800
#define PRVM_SETSETTINGS      (WM_USER + 60)
#define PRVN_CLICK            0

/* PreviewSettings: same layout (132 bytes) on i686 and x86_64. */
#include <pshpack4.h>
typedef struct PreviewSettings {
    RECT     pageRect;            /*   0 */
    RECT     innerRect;           /*  16 */
    RECT     pictureRect;         /*  32 */
    RECT     reservedRect;        /*  48 */
    COLORREF pageColor;           /*  64 */
    COLORREF innerColor;          /*  68 */
    COLORREF frameColor;          /*  72 */
    COLORREF pictureShadowColor;  /*  76 */
    COLORREF pageShadowColor;     /*  80 */
    COLORREF guideColor;          /*  84 */
    LONG     frameWidth;          /*  88 */
    LONG     shadowOffset;        /*  92 */
    WORD     options;             /*  96: bits 0-7 caption height, 8-15 PRVF_ */
    char     caption[34];         /*  98 */
} PreviewSettings;                /* 132 */
#include <poppack.h>

/* ---- Selection control (Qor32Selection) --------------------------------- */
#define SELM_GETCHOICE        (WM_USER + 61)
#define SELM_SETCHOICE        (WM_USER + 62)

/* One option; the array passed as lpParam ends at the first null text.
 * Offsets: i686 | x86_64. */
typedef struct SelectionItem {
    const char *text;     /*  0 | 0  */
    LONG        x;        /*  4 | 8  */
    LONG        y;        /*  8 | 12 */
    LONG        width;    /* 12 | 16 */
    LONG        height;   /* 16 | 20 */
} SelectionItem;          /* 20 | 24 */

/* ---- Layout checks ------------------------------------------------------ */
#if defined(__cplusplus) && __cplusplus >= 201103L
#define QOR32_STATIC_ASSERT(c, m) static_assert(c, #m)
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define QOR32_STATIC_ASSERT(c, m) _Static_assert(c, #m)
#else
#define QOR32_STATIC_ASSERT(c, m) typedef char qor32_assert_##m[(c) ? 1 : -1]
#endif

#ifdef _WIN64
#define QOR32_OFS(i686, x64) (x64)
#else
#define QOR32_OFS(i686, x64) (i686)
#endif

QOR32_STATIC_ASSERT(sizeof(SlideState) == QOR32_OFS(160, 192), slide_size);
QOR32_STATIC_ASSERT(offsetof(SlideState, options) == QOR32_OFS(4, 8), slide_options);
QOR32_STATIC_ASSERT(offsetof(SlideState, thumbNameRef) == QOR32_OFS(8, 16), slide_thumbref);
QOR32_STATIC_ASSERT(offsetof(SlideState, trackNameRef) == QOR32_OFS(12, 24), slide_trackref);
QOR32_STATIC_ASSERT(offsetof(SlideState, minX) == QOR32_OFS(16, 32), slide_minx);
QOR32_STATIC_ASSERT(offsetof(SlideState, posX) == QOR32_OFS(24, 40), slide_posx);
QOR32_STATIC_ASSERT(offsetof(SlideState, maxX) == QOR32_OFS(32, 48), slide_maxx);
QOR32_STATIC_ASSERT(offsetof(SlideState, pageX) == QOR32_OFS(40, 56), slide_pagex);
QOR32_STATIC_ASSERT(offsetof(SlideState, state) == QOR32_OFS(48, 64), slide_state);
QOR32_STATIC_ASSERT(offsetof(SlideState, thumbBitmap) == QOR32_OFS(52, 72), slide_thumbbmp);
QOR32_STATIC_ASSERT(offsetof(SlideState, trackBitmap) == QOR32_OFS(56, 80), slide_trackbmp);
QOR32_STATIC_ASSERT(offsetof(SlideState, background) == QOR32_OFS(60, 88), slide_background);
QOR32_STATIC_ASSERT(offsetof(SlideState, pressX) == QOR32_OFS(64, 96), slide_pressx);
QOR32_STATIC_ASSERT(offsetof(SlideState, travelMinX) == QOR32_OFS(72, 104), slide_travelmin);
QOR32_STATIC_ASSERT(offsetof(SlideState, travelMaxX) == QOR32_OFS(80, 112), slide_travelmax);
QOR32_STATIC_ASSERT(offsetof(SlideState, thumbX) == QOR32_OFS(88, 120), slide_thumbx);
QOR32_STATIC_ASSERT(offsetof(SlideState, thumbWidth) == QOR32_OFS(96, 128), slide_thumbw);
QOR32_STATIC_ASSERT(offsetof(SlideState, trackWidth) == QOR32_OFS(104, 136), slide_trackw);
QOR32_STATIC_ASSERT(offsetof(SlideState, dragRect) == QOR32_OFS(112, 144), slide_dragrect);
QOR32_STATIC_ASSERT(offsetof(SlideState, thumbName) == QOR32_OFS(128, 160), slide_thumbname);
QOR32_STATIC_ASSERT(offsetof(SlideState, trackName) == QOR32_OFS(144, 176), slide_trackname);

QOR32_STATIC_ASSERT(sizeof(PreviewSettings) == 132, preview_size);
QOR32_STATIC_ASSERT(offsetof(PreviewSettings, innerRect) == 16, preview_inner);
QOR32_STATIC_ASSERT(offsetof(PreviewSettings, pictureRect) == 32, preview_picture);
QOR32_STATIC_ASSERT(offsetof(PreviewSettings, reservedRect) == 48, preview_reserved);
QOR32_STATIC_ASSERT(offsetof(PreviewSettings, pageColor) == 64, preview_pagecolor);
QOR32_STATIC_ASSERT(offsetof(PreviewSettings, guideColor) == 84, preview_guidecolor);
QOR32_STATIC_ASSERT(offsetof(PreviewSettings, frameWidth) == 88, preview_framewidth);
QOR32_STATIC_ASSERT(offsetof(PreviewSettings, shadowOffset) == 92, preview_shadow);
QOR32_STATIC_ASSERT(offsetof(PreviewSettings, options) == 96, preview_options);
QOR32_STATIC_ASSERT(offsetof(PreviewSettings, caption) == 98, preview_caption);

QOR32_STATIC_ASSERT(sizeof(SelectionItem) == QOR32_OFS(20, 24), selection_size);
QOR32_STATIC_ASSERT(offsetof(SelectionItem, x) == QOR32_OFS(4, 8), selection_x);
QOR32_STATIC_ASSERT(offsetof(SelectionItem, height) == QOR32_OFS(16, 20), selection_height);

#ifdef __cplusplus
}
#endif

#endif /* QOR32CL_H */
