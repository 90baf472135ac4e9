# JSON for the layouts: Debian's nlohmann-json3-dev, header-only, so the Windows cross build
# compiles the very same header. It sits among the build machine's own headers in /usr/include,
# which the MinGW compiler must never search (their C library would shadow its own); the cross
# build reaches it through a folder in the build tree that holds nothing but a link to it.
find_package(nlohmann_json 3.11 REQUIRED CONFIG NO_CMAKE_FIND_ROOT_PATH)

add_library(quorvane_json INTERFACE)
# Conversions are spelled out (get<int>()), so a value of the wrong kind never converts silently.
target_compile_definitions(quorvane_json INTERFACE JSON_USE_IMPLICIT_CONVERSIONS=0)
if(CMAKE_CROSSCOMPILING)
    get_target_property(json_dirs nlohmann_json::nlohmann_json INTERFACE_INCLUDE_DIRECTORIES)
    find_path(QUORVANE_JSON_INCLUDE_DIR nlohmann/json.hpp PATHS ${json_dirs} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT QUORVANE_JSON_INCLUDE_DIR)
        message(FATAL_ERROR "nlohmann/json.hpp not found in ${json_dirs}")
    endif()
    set(json_link_dir ${CMAKE_BINARY_DIR}/json-include)
    file(MAKE_DIRECTORY ${json_link_dir})
    file(CREATE_LINK ${QUORVANE_JSON_INCLUDE_DIR}/nlohmann ${json_link_dir}/nlohmann SYMBOLIC)
    target_include_directories(quorvane_json SYSTEM INTERFACE ${json_link_dir})
else()
    target_link_libraries(quorvane_json INTERFACE nlohmann_json::nlohmann_json)
endif()
