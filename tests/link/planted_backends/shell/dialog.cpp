// Made to include other backends' headers, one written with spaces.
#  include <imgui.h>
#include <curl/curl.h>
#include <ft2build.h>
#include <fontconfig/fontconfig.h>
#include <mpg123.h>
#include <string>
