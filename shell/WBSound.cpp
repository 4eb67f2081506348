#include "shell/WBSound.h"

#include <windows.h>
#include <mmsystem.h>

void PlayWaveResource(const std::string& name, bool repeat) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, name.c_str(), "WAVE");
    if (info == nullptr)
        return;
    HGLOBAL loaded = LoadResource(module, info);
    if (loaded == nullptr)
        return;
    const void* image = LockResource(loaded);
    if (image == nullptr)
        return;
    // The executable's resources stay mapped while the program runs, so the system may go on playing
    // from this address after we return; no copy is needed and nothing is to be freed (LoadResource hands
    // out no handle that needs freeing on 32- or 64-bit Windows).
    const UINT flags = SND_ASYNC | SND_MEMORY | (repeat ? SND_LOOP : 0);
    sndPlaySoundA(static_cast<LPCSTR>(image), flags);
}
