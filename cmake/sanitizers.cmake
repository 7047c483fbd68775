# Instrumentation for the whole build, set before any target is defined.
#   VORLETH_SANITIZE  AddressSanitizer and UndefinedBehaviorSanitizer; any finding ends the
#                     program with an error, so a test that triggers one fails.
#   VORLETH_FUZZ      the same sanitizers plus libFuzzer's coverage counters (clang only); the
#                     fuzz targets themselves link libFuzzer's main.
if(VORLETH_SANITIZE OR VORLETH_FUZZ)
    set(VORLETH_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    add_compile_options(${VORLETH_SANITIZER_FLAGS})
    add_link_options(-fsanitize=address,undefined)
endif()

if(VORLETH_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "VORLETH_FUZZ needs clang (libFuzzer): -DCMAKE_CXX_COMPILER=clang++")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
