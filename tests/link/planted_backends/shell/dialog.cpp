// Made to include other backends' headers; the standard library's passes.
#include <curl/curl.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include <imgui.h>
#include <mpg123.h>
#include <string>
