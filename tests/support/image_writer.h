// stb_image_write, for tests and benchmarks that need image files to read:
// its code trips warnings our flags make errors, so they are silenced here
// alone. Define STB_IMAGE_WRITE_IMPLEMENTATION (and STB_IMAGE_WRITE_STATIC
// when a header includes this) before including it in one file a program.
#pragma once

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include <stb/stb_image_write.h>
#pragma GCC diagnostic pop
