# Read by CTest before it runs anything; what is set here reaches every test.
#
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
