// The sound library may include OpenAL and freealut.
#include <AL/al.h>
#include <AL/alut.h>
