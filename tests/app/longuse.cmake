# Long use of the real window: 2,000 confirm clicks, results and resident memory checked.
if(TARGET trelvan_app)
    add_executable(longuse_test ${CMAKE_CURRENT_LIST_DIR}/longuse_test.cpp)
    target_link_libraries(longuse_test PRIVATE trelvan_app GTest::gtest)
    gtest_discover_tests(longuse_test DISCOVERY_TIMEOUT 30
        PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen LABELS gui TIMEOUT 600)
endif()
