# Fails when a source file calls one of the unbounded C string functions; every
# copy into a buffer goes through the bounded helpers instead.
file(GLOB_RECURSE sources ${ROOT}/state/*.cpp ${ROOT}/state/*.h ${ROOT}/engine/*.cpp ${ROOT}/engine/*.h
     ${ROOT}/ui/*.cpp ${ROOT}/ui/*.h ${ROOT}/cli/*.cpp ${ROOT}/cli/*.h)
set(found "")
foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "(^|[^a-z_])(strcpy|strcat|sprintf|vsprintf|gets|lstrcpyA?|lstrcatA?|wsprintfA?)[ ]*\\(")
    foreach(line ${lines})
        string(APPEND found "${source}: ${line}\n")
    endforeach()
endforeach()
if(found)
    message(FATAL_ERROR "unbounded string calls:\n${found}")
endif()
