#pragma once
// Wave sounds: PlaySound plays a wave file through the desktop's sound player when one is
// installed, and is silent (answering FALSE) where none is.

#include "platform/win/handles.h"
#include "platform/win/wintypes.h"

#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_FILENAME 0x00020000

// Plays the wave file `sound` (with SND_FILENAME; other sources are not offered): with SND_ASYNC it
// returns at once, else when the sound has ended. FALSE when the file is missing or nothing can
// play it; no default sound takes its place.
BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags);
#define PlaySound PlaySoundA
