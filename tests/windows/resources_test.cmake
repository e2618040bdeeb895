# What windres compiled into a program, read back out of the .exe with windres
# itself: the icon in 16, 32 and 48 pixels (as a group, as Explorer looks it up)
# and the version resource in Japanese and English, carrying the version that
# state/version.h gives. Usage: cmake -DWINDRES=... -DEXE=... -DVERSION_HEADER=... -P
execute_process(COMMAND ${WINDRES} -i ${EXE} -O rc OUTPUT_VARIABLE dump ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "windres could not read the resources of ${EXE}: ${errors}")
endif()

file(STRINGS ${VERSION_HEADER} major REGEX "#define VARNOCK_VERSION_MAJOR ")
file(STRINGS ${VERSION_HEADER} minor REGEX "#define VARNOCK_VERSION_MINOR ")
file(STRINGS ${VERSION_HEADER} text REGEX "#define VARNOCK_VERSION_TEXT ")
string(REGEX REPLACE ".* " "" major "${major}")
string(REGEX REPLACE ".* " "" minor "${minor}")
string(REGEX REPLACE ".* \"(.*)\"" "\\1" text "${text}")

set(expected
    "1 14 /* RT_GROUP_ICON */"
    "\"\\020\\020\\000\\000\", 1, 32," # 16 x 16, 32 bits
    "\"\\040\\040\\000\\000\", 1, 32," # 32 x 32
    "\"\\060\\060\\000\\000\", 1, 32," # 48 x 48
    "FILEVERSION ${major}, ${minor}, 0, 0"
    "PRODUCTVERSION ${major}, ${minor}, 0, 0"
    "BLOCK \"041104b0\""
    "BLOCK \"040904b0\""
    "VALUE \"ProductName\", \"Varnock\""
    "VALUE \"Translation\", 0x411, 1200, 0x409, 1200")
foreach(piece IN LISTS expected)
    string(FIND "${dump}" "${piece}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "${EXE}: no '${piece}' among its resources:\n${dump}")
    endif()
endforeach()
# Both language blocks name the version.
string(REGEX MATCHALL "VALUE \"ProductVersion\", \"${text}\"" found "${dump}")
list(LENGTH found count)
if(NOT count EQUAL 2)
    message(FATAL_ERROR "${EXE}: ProductVersion ${text} found ${count} times, not once per language")
endif()
