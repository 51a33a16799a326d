# fw_add_resources(target file.rc [folder...]): the program's resources, with the folders where
# the files that the script and those it includes name are found beside the script's own. Windows
# builds link the compiled script as usual; native builds compile it with windres to a .res file
# and embed its bytes, which the headless backend reads, so both backends build their windows from
# the same templates.
enable_language(RC OPTIONAL)
find_program(FW_WINDRES NAMES x86_64-w64-mingw32-windres REQUIRED)

function(fw_add_resources target rc_file)
    get_filename_component(rc_abs ${rc_file} ABSOLUTE)
    if(WIN32)
        target_sources(${target} PRIVATE ${rc_abs})
        return()
    endif()
    get_filename_component(rc_dir ${rc_abs} DIRECTORY)
    get_filename_component(rc_name ${rc_abs} NAME_WE)
    set(res ${CMAKE_CURRENT_BINARY_DIR}/${target}_${rc_name}.res)
    set(cpp ${CMAKE_CURRENT_BINARY_DIR}/${target}_${rc_name}_res.cpp)
    set(folders ${rc_dir})
    foreach(folder ${ARGN})
        get_filename_component(folder_abs ${folder} ABSOLUTE)
        list(APPEND folders ${folder_abs})
    endforeach()
    list(TRANSFORM folders PREPEND "-I" OUTPUT_VARIABLE include_options)
    # A test's script may include the simulated service's resources.
    list(TRANSFORM folders APPEND "/*" OUTPUT_VARIABLE dep_globs)
    file(GLOB_RECURSE rc_deps ${dep_globs} ${PROJECT_SOURCE_DIR}/platform/res/*)
    add_custom_command(
        OUTPUT ${res}
        COMMAND ${FW_WINDRES} --target=pe-x86-64 ${include_options}
                -I ${PROJECT_SOURCE_DIR}/framework/include -O res -i ${rc_abs} -o ${res}
        DEPENDS ${rc_abs} ${rc_deps}
        WORKING_DIRECTORY ${rc_dir}
        COMMENT "Compiling resources ${rc_name}.rc")
    add_custom_command(
        OUTPUT ${cpp}
        COMMAND ${CMAKE_COMMAND} -DINPUT=${res} -DOUTPUT=${cpp}
                -P ${PROJECT_SOURCE_DIR}/cmake/embed_res.cmake
        DEPENDS ${res} ${PROJECT_SOURCE_DIR}/cmake/embed_res.cmake)
    target_sources(${target} PRIVATE ${cpp})
endfunction()
