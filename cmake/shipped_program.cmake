# ondrel_shipped_program(target): a program users get. Its release build is stripped of symbols,
# and the linker writes a map of what went into it (<name>.map beside it), by which the test
# command proves that no test code did.
function(ondrel_shipped_program target)
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/framework/win32/lean_runtime.cpp)
    target_link_options(${target} PRIVATE
        "-Wl,-Map=$<TARGET_FILE_DIR:${target}>/$<TARGET_FILE_BASE_NAME:${target}>.map"
        $<$<CONFIG:Release>:-s>)
endfunction()
