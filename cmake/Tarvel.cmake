# tarvel_library(NAME SOURCES... [DEPS targets...])
# Declares the library target of one source folder; the folder's parent of src/ is the include root,
# so headers are included as "platform/text/cp1251.h", "library/song_record.h" and so on.
function(tarvel_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    if(ARG_DEPS)
        target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    endif()
endfunction()

# tarvel_test(NAME SOURCES... [DEPS targets...])
# One GoogleTest executable per tested folder; every test case becomes a CTest test.
function(tarvel_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} tarvel_testsupport GTest::gtest GTest::gmock)
    target_compile_definitions(${name} PRIVATE
        TARVEL_DIST_DIR="${TARVEL_DIST}"
        TARVEL_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
        TARVEL_CORPUS_DIR="${PROJECT_SOURCE_DIR}/../shared/corpus")
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TARVEL_AUDIO=null;TARVEL_PLATFORM=fake")
endfunction()
