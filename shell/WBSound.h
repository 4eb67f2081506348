// WBSound: plays a wave recording stored in the program's own resources.
#pragma once

#include <string>

// Plays the resource `name` of type "WAVE" of the running executable (the name matched without regard to
// case, "signal" finds SIGNAL), asynchronously: the call returns at once while the sound plays on; with
// `repeat` it loops until another sound replaces it. A new call ends the sound still playing. The sound is
// played from the resource in place. Nothing is reported: a missing resource gives no sound and no call to
// the system's sound function, and a sound the system cannot play passes silently.
void PlayWaveResource(const std::string& name, bool repeat);
