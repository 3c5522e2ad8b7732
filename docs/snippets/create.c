/* Controls that take a creation record: the record is lpParam of
 * CreateWindowExA. The colour and pattern tables are read at creation; the
 * Slide control keeps pointing at the bitmap names, so they must outlive it. */
static const COLORREF kColors[QOR32_COLOR_COUNT] = {
    RGB(0, 0, 0),     RGB(255, 255, 255), RGB(128, 128, 128), RGB(192, 192, 192),
    RGB(128, 0, 0),   RGB(255, 0, 0),     RGB(128, 128, 0),   RGB(255, 255, 0),
    RGB(0, 128, 0),   RGB(0, 255, 0),     RGB(0, 128, 128),   RGB(0, 255, 255),
    RGB(0, 0, 128),   RGB(0, 0, 255),     RGB(128, 0, 128),   RGB(255, 0, 255),
    RGB(255, 128, 64), RGB(128, 64, 0),   RGB(64, 128, 255),  RGB(255, 192, 203),
    RGB(192, 192, 192), RGB(0, 0, 255),   RGB(255, 255, 0)};
static const DWORD kPatterns[QOR32_PATTERN_COUNT] = {
    1750, 1751, 1752, 1753, 1754, 1755, 1756, 1757,
    1758, 1759, 1760, 1761, 1762, 1763, 1764, 1765};

static HWND CreateColorPicker(HWND parent, HINSTANCE instance, int id)
{
    return CreateWindowExA(0, QOR32_COLOR_CLASS, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                           10, 150, 78, 104, parent, (HMENU)(INT_PTR)id, instance,
                           (LPVOID)kColors);
}

static HWND CreatePatternPicker(HWND parent, HINSTANCE instance, int id)
{
    return CreateWindowExA(0, QOR32_PATTERN_CLASS, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                           110, 150, 78, 70, parent, (HMENU)(INT_PTR)id, instance,
                           (LPVOID)kPatterns);
}

static HWND CreatePagePreview(HWND parent, HINSTANCE instance, int id)
{
    PreviewSettings s;
    memset(&s, 0, sizeof s);
    SetRect(&s.pageRect, 0, 0, 3000, 1500);
    SetRect(&s.innerRect, 150, 120, 2850, 1380);
    SetRect(&s.pictureRect, 400, 220, 1700, 1060);
    s.pageColor = RGB(255, 255, 255);
    s.innerColor = RGB(244, 240, 224);
    s.frameColor = RGB(128, 64, 0);
    s.pictureShadowColor = RGB(80, 80, 80);
    s.pageShadowColor = RGB(64, 64, 64);
    s.guideColor = RGB(0, 160, 255);
    s.frameWidth = 25;
    s.shadowOffset = 50;
    s.options = PRVF_CAPTION | PRVF_HGUIDE | PRVF_VGUIDE | 12; /* caption 12 high */
    lstrcpynA(s.caption, "Fig. 1", sizeof s.caption);
    /* the control text names the picture bitmap */
    return CreateWindowExA(0, QOR32_PREVIEW_CLASS, "PRV_PICTURE", WS_CHILD | WS_VISIBLE,
                           210, 150, 210, 128, parent, (HMENU)(INT_PTR)id, instance, &s);
}

static HWND CreateOptionGroup(HWND parent, HINSTANCE instance, int id)
{
    /* the list ends at the first null text */
    static const SelectionItem items[] = {
        {"Left", 0, 0, 60, 16}, {"Centre", 0, 18, 60, 16}, {"Right", 0, 36, 60, 16}, {NULL, 0, 0, 0, 0}};
    return CreateWindowExA(0, QOR32_SELECTION_CLASS, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                           430, 150, 70, 56, parent, (HMENU)(INT_PTR)id, instance, (LPVOID)items);
}

static HWND CreatePad(HWND parent, HINSTANCE instance, int id)
{
    static SlideState record; /* copied at creation; the names must outlive the control */
    memset(&record, 0, sizeof record);
    record.instance = instance;
    record.options = 0x36; /* four thumb bands, transparent, two track bands */
    record.thumbNameRef = "SLD_DOT";
    record.trackNameRef = "SLD_PAD";
    record.maxX = record.maxY = 100;
    record.posX = 70;
    record.posY = 30;
    record.pageX = record.pageY = 10;
    return CreateWindowExA(0, QOR32_SLIDE_CLASS, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                           510, 150, 73, 55, parent, (HMENU)(INT_PTR)id, instance, &record);
}
