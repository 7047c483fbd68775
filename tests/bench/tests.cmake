# Tests of what the benchmark programs keep for their comparisons, paths relative to tests/.
vorleth_add_test(countingvariants_tests SOURCES bench/countingvariants_test.cpp
    ${PROJECT_SOURCE_DIR}/bench/countingvariants.cpp)
target_include_directories(countingvariants_tests PRIVATE ${PROJECT_SOURCE_DIR}/bench)
