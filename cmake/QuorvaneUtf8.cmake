# UTF-8 checks and conversions: Debian's utfcpp (libutfcpp-dev), header-only, so the Windows cross
# build compiles the very same headers. Like the JSON header, it sits among the build machine's own
# headers, which the MinGW compiler must never search: the cross build reaches it through a folder
# in the build tree that holds nothing but links to it.
add_library(quorvane_utf8 INTERFACE)
if(CMAKE_CROSSCOMPILING)
    find_path(QUORVANE_UTF8CPP_INCLUDE_DIR utf8.h PATHS /usr/include PATH_SUFFIXES utf8cpp
              NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    if(NOT QUORVANE_UTF8CPP_INCLUDE_DIR)
        message(FATAL_ERROR "utf8cpp's utf8.h not found (Debian: libutfcpp-dev)")
    endif()
    set(utf8_link_dir ${CMAKE_BINARY_DIR}/utf8cpp-include)
    file(MAKE_DIRECTORY ${utf8_link_dir})
    file(CREATE_LINK ${QUORVANE_UTF8CPP_INCLUDE_DIR}/utf8.h ${utf8_link_dir}/utf8.h SYMBOLIC)
    file(CREATE_LINK ${QUORVANE_UTF8CPP_INCLUDE_DIR}/utf8 ${utf8_link_dir}/utf8 SYMBOLIC)
    target_include_directories(quorvane_utf8 SYSTEM INTERFACE ${utf8_link_dir})
else()
    find_package(utf8cpp 3.1 REQUIRED CONFIG)
    target_link_libraries(quorvane_utf8 INTERFACE utf8cpp)
endif()
