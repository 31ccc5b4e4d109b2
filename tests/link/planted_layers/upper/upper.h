// A library above lib/.
#pragma once

int Upper();
