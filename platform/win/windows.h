#pragma once
// Everything of the window system that programs use, in one include.

#include "platform/win/wintypes.h"
#include "platform/win/handles.h"
#include "platform/win/winbase.h"
#include "platform/win/wingdi.h"
#include "platform/win/winuser.h"
#include "platform/win/editmsg.h"
#include "platform/win/winctrl.h"
#include "platform/win/commctrl.h"
#include "platform/win/winmenu.h"
#include "platform/win/windlg.h"
#include "platform/win/commdlg.h"
#include "platform/win/winreg.h"
#include "platform/win/profile.h"
#include "platform/win/shellapi.h"
#include "platform/win/mmsystem.h"
