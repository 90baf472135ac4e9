# Delay-loaded system libraries for the Windows build: a DLL whose functions are first needed after
# the program starts is loaded on the first call, not before WinMain (under wine the shell and COM
# libraries with their dependencies take a large share of the start-up). Each import library is made
# at configure time by dlltool from the functions the program calls.
#
#   quorvane_delay_import(<target> <dll> <function>...)
# makes the IMPORTED library <target> (link it in place of the ordinary import library).
function(quorvane_delay_import target dll)
    find_program(QUORVANE_DLLTOOL NAMES ${QUORVANE_MINGW_PREFIX}-dlltool dlltool REQUIRED)
    set(folder ${PROJECT_BINARY_DIR}/delay-imports)
    file(MAKE_DIRECTORY ${folder})
    set(def "LIBRARY ${dll}\nEXPORTS\n")
    foreach(function IN LISTS ARGN)
        string(APPEND def "    ${function}\n")
    endforeach()
    file(WRITE ${folder}/${target}.def.new "${def}")
    set(library ${folder}/lib${target}.a)
    if(NOT EXISTS ${library} OR NOT EXISTS ${folder}/${target}.def)
        set(changed TRUE)
    else()
        file(READ ${folder}/${target}.def before)
        if(NOT before STREQUAL def)
            set(changed TRUE)
        endif()
    endif()
    if(changed)
        execute_process(COMMAND ${QUORVANE_DLLTOOL} --input-def ${folder}/${target}.def.new --dllname ${dll}
                                --output-delaylib ${library} RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "dlltool could not make the delay-load library of ${dll}")
        endif()
        file(RENAME ${folder}/${target}.def.new ${folder}/${target}.def)
    else()
        file(REMOVE ${folder}/${target}.def.new)
    endif()
    add_library(${target} STATIC IMPORTED GLOBAL)
    # The loader's helper that resolves each function on its first call.
    set_target_properties(${target} PROPERTIES IMPORTED_LOCATION ${library} INTERFACE_LINK_LIBRARIES delayimp)
endfunction()
