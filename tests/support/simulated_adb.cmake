# The simulated adb server, shared by the device tests, the end-to-end tests and the benchmarks.
if(TARGET kavu_simulated_adb)
    return()
endif()
add_library(kavu_simulated_adb STATIC
    ${CMAKE_CURRENT_LIST_DIR}/simulated_adb_server.h ${CMAKE_CURRENT_LIST_DIR}/simulated_adb_server.cpp)
target_link_libraries(kavu_simulated_adb PUBLIC kavu_devices Qt6::Network)
target_include_directories(kavu_simulated_adb PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
