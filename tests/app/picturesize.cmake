# The pictures of the resource file: each one loads, has its laid-out pixel size and looks as
# its box expects (transparent formulas, opaque gradients). The resource file is compiled into
# the test itself, so the check does not hang on how the window's library registers it.
find_package(Qt6 REQUIRED COMPONENTS Gui Svg)
qt_add_executable(picturesize_test ${CMAKE_CURRENT_LIST_DIR}/picturesize_test.cpp
    ${PROJECT_SOURCE_DIR}/resources/trelvan.qrc)
set_target_properties(picturesize_test PROPERTIES AUTORCC ON)
target_link_libraries(picturesize_test PRIVATE Qt6::Gui Qt6::Svg GTest::gtest)
gtest_discover_tests(picturesize_test DISCOVERY_TIMEOUT 30
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen LABELS app)
