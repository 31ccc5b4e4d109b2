// A backend may include OpenAL, but freealut belongs to the sound library.
#include <AL/al.h>
#include <AL/alut.h>
