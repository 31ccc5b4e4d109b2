# Read by CTest before it runs anything; what is set here reaches every test.
#
# Each llvmpipe context starts one rasteriser thread per core. With CTest
# running one test per core, and the damaged-games check one player per core
# beside them, those threads spend their time waking each other: one thread
# a context keeps the machine busy with the tests themselves. Whoever runs
# CTest with LP_NUM_THREADS set keeps their own value.
if(NOT DEFINED ENV{LP_NUM_THREADS})
  set(ENV{LP_NUM_THREADS} 1)
endif()
