// The higher sub-folder of lib/.
#pragma once

int High();
