/* Compiles the public header as C in every DLL build, so its layout
 * assertions are checked for i686 and x86_64 alike. */
#include "qor32cl.h"

int qor32_layout_checked = (int)sizeof(SlideState);
