/* A bitmap button showing a bitmap the application made: "HBITMAP=", a
 * blank, then the handle's value in decimal, with all its digits. The
 * bitmap stays the application's: delete it after the button is gone. */
static HWND CreateButtonWithBitmap(HWND parent, HINSTANCE instance, int id, HBITMAP bitmap)
{
    char text[96];
    sprintf(text, "Draw~B0,0,0,0,0,0,0,0~Q1,HBITMAP= %I64u",
              (unsigned __int64)(UINT_PTR)bitmap);
    return CreateWindowExA(0, QOR32_BITMAP_CLASS, text, WS_CHILD | WS_VISIBLE,
                           10, 100, 64, 32, parent, (HMENU)(INT_PTR)id, instance, NULL);
}
