// Dialog and control identifiers of the gallery. Each control's part uses
// its own range of 100 identifiers.
#define IDD_GALLERY          100
#define IDC_STATUS_BASE      1000
#define IDC_BITMAP_BASE      1100
#define IDC_SLIDE_BASE       1200
#define IDC_MATRIX_BASE      1300
#define IDC_SELECTION_BASE   1400
#define IDC_TAB_BASE         1500
#define IDC_COLOR_BASE       1600
#define IDC_PATTERN_BASE     1700
#define IDC_PREVIEW_BASE     1800

/* Regions of the dialog, in dialog units (x, y, width, height):
 *   bitmap buttons    5,   5, 130, 120
 *   slide controls  140,   5, 135, 120   (over the patterned area)
 *   matrix, selection 280, 5, 135, 120   (over the patterned area)
 *   tab and pickers   5, 130, 195, 128
 *   preview         205, 130, 210, 128
 *   status            0, 262, 420,  18
 * The patterned area is 140, 5, 275, 120. */
#define GALLERY_PATTERN_X 140
#define GALLERY_PATTERN_Y 5
#define GALLERY_PATTERN_W 275
#define GALLERY_PATTERN_H 120
