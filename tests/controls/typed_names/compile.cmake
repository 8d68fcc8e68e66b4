# Compiles pick_control.cpp with CONTROL=NAME. EXPECT=compiles: the compiler must accept it.
# EXPECT=fails: the compiler must refuse it and name NAME in its message.
execute_process(
    COMMAND ${COMPILER} -std=c++20 -fsyntax-only -I${SOURCE_DIR} -DCONTROL=${NAME} ${SNIPPET}
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(EXPECT STREQUAL "compiles")
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "the control ${NAME} did not compile:\n${output}")
    endif()
else()
    if(result EQUAL 0)
        message(FATAL_ERROR "the misspelt control ${NAME} compiled")
    endif()
    if(NOT output MATCHES "${NAME}")
        message(FATAL_ERROR "the compiler refused the snippet without naming ${NAME}:\n${output}")
    endif()
endif()
