#pragma once
// The shell's icons of files and folders. There is no system image list
// here: the icons come from Qt's file icon provider, by path.
#include "rtl/Graphics.h"

// The side of the small (16) or large (32) icons.
Integer ShellIconSize(bool Large);
// The icon of the file or folder at Path (found ignoring case), or for a
// path that does not exist the icon of its type by name, as a 32-bit bitmap
// with alpha of ShellIconSize(Large). False, Icon unchanged, when there is
// none.
bool GetShellFileIcon(const String& Path, bool Large, TBitmap* Icon);
