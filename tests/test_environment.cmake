# Read by CTest before it runs anything; what is set here reaches every test.
#
# Each llvmpipe context starts one rasteriser thread per core. With CTest
# running one test per core, and the damaged-games check one player per core
# beside them, those threads spend their time waking each other: one thread
# a context keeps the machine busy with the tests themselves, and still hands
# every scene to a thread of the driver's, as the player does by default (the
# thread-sanitizer stage watches those hand-overs). Whoever runs CTest with
# LP_NUM_THREADS set keeps their own value.
if(NOT DEFINED ENV{LP_NUM_THREADS})
  set(ENV{LP_NUM_THREADS} 1)
endif()

# The GL driver keeps its compiled shaders on disk through a thread of its
# own, which it stops from an exit handler: the thread ends while the leak
# checker, run last at exit, stops every thread to look at its stack, and a
# thread that vanishes under it makes the check fail now and then. Without
# the cache no thread ends at exit, and no test writes to the home folder.
if(NOT DEFINED ENV{MESA_SHADER_CACHE_DISABLE})
  set(ENV{MESA_SHADER_CACHE_DISABLE} true)
endif()

# The leak checker learns where each thread's dynamically loaded TLS lies by
# watching the loader's lookups; with the GL driver loaded it recorded a
# block that is not one, and the check itself crashed ("Tracer caught signal
# 11") after tests that had passed. Without that watch, such storage is not
# read as a root: a block reached only from there would be reported, never
# hidden.
if(NOT DEFINED ENV{ASAN_OPTIONS})
  set(ENV{ASAN_OPTIONS} "intercept_tls_get_addr=0")
endif()
