# The main window offscreen: layout, looks, fonts and tab order, and the three
# handlers with the error message box.
if(TARGET trelvan_app)
    find_package(Qt6 REQUIRED COMPONENTS Test)
    add_executable(window_tests
        ${CMAKE_CURRENT_LIST_DIR}/window_test_main.cpp
        ${CMAKE_CURRENT_LIST_DIR}/window_layout_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/window_handlers_test.cpp)
    target_link_libraries(window_tests PRIVATE trelvan_app Qt6::Test GTest::gtest)
    gtest_discover_tests(window_tests DISCOVERY_TIMEOUT 30
        PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen LABELS gui)
    # Again at twice the pixel density: the whole window must scale evenly.
    gtest_discover_tests(window_tests DISCOVERY_TIMEOUT 30 TEST_SUFFIX .dpr2
        PROPERTIES ENVIRONMENT QT_SCALE_FACTOR=2 LABELS gui)
endif()
