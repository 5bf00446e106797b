# Start-up benchmark helpers: a watcher that times process start to window mapped, and a bare
# Qt window of the same size to compare the program against. bench/startup.sh runs them.
if(TARGET trelvan)
    find_package(Qt6 REQUIRED COMPONENTS Widgets)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)

    add_executable(startup_watch ${CMAKE_CURRENT_LIST_DIR}/startup_watch.cpp)
    target_link_libraries(startup_watch PRIVATE PkgConfig::XCB)

    add_executable(startup_bare_window ${CMAKE_CURRENT_LIST_DIR}/bare_window.cpp)
    target_link_libraries(startup_bare_window PRIVATE Qt6::Widgets)
endif()
