vorleth_add_test(playrules_tests SOURCES board/playrules_test.cpp)
vorleth_add_test(renderer_tests SOURCES board/renderer_test.cpp)
vorleth_add_test(diagram_tests SOURCES board/diagram_test.cpp)
vorleth_add_test(symmetry_tests SOURCES board/symmetry_test.cpp)
