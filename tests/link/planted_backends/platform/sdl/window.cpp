// A backend may include its library.
#include <SDL.h>
