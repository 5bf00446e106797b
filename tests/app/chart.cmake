# The picture box as a drawing surface, and the chart as the window shows it.
# Offscreen; the surface tests run again at device pixel ratio 2.
if(TARGET trelvan_app)
    add_executable(picturebox_tests picturebox_tests.cpp picturebox_test_main.cpp)
    target_link_libraries(picturebox_tests PRIVATE trelvan_app GTest::gtest)
    add_test(NAME picturebox_tests COMMAND picturebox_tests)
    set_tests_properties(picturebox_tests PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "gui")
    add_test(NAME picturebox_tests_dpr2 COMMAND picturebox_tests)
    set_tests_properties(picturebox_tests_dpr2 PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2;TRELVAN_TEST_DPR=2"
        LABELS "gui")

    add_executable(chart_tests chart_tests.cpp picturebox_test_main.cpp)
    target_link_libraries(chart_tests PRIVATE trelvan_app GTest::gtest)
    add_test(NAME chart_tests COMMAND chart_tests)
    set_tests_properties(chart_tests PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen" LABELS "gui")
    add_test(NAME chart_tests_dpr2 COMMAND chart_tests)
    set_tests_properties(chart_tests_dpr2 PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2" LABELS "gui")
endif()
