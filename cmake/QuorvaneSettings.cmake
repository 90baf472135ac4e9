# Shared compile settings, carried by one INTERFACE target.
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
    set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

add_library(quorvane_settings INTERFACE)
target_compile_features(quorvane_settings INTERFACE cxx_std_20)
target_compile_options(quorvane_settings INTERFACE -Wall -Wextra -Wpedantic)
if(WIN32)
    target_compile_definitions(quorvane_settings INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
endif()

# Qt strictness for the GUI library and its tests.
add_library(quorvane_qt_settings INTERFACE)
target_link_libraries(quorvane_qt_settings INTERFACE quorvane_settings)
target_compile_definitions(quorvane_qt_settings INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
