// The lower sub-folder of lib/.
#pragma once

int Low();
