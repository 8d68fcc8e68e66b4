# Include roots. Headers are included by their folder's path ("platform/text/cp1251.h",
# "library/song_record.h"), but no target gets all of src/ as its include path: each library has
# an include root of its own in the build tree, build/include/<target>, holding only a link to its
# own folder under that path (build/include/platform_text/platform/text -> src/platform/text). A
# target so sees the headers of itself and of the targets it links, and an include of any other
# folder fails to compile.
set(TARVEL_INCLUDE_ROOTS ${CMAKE_BINARY_DIR}/include)

# tarvel_include_root(TARGET VARIABLE): the include root of a library target.
function(tarvel_include_root name variable)
    set(${variable} ${TARVEL_INCLUDE_ROOTS}/${name} PARENT_SCOPE)
endfunction()

# tarvel_stage_headers(TARGET [HEADERS files...])
# Makes the include root of TARGET for the current source folder: the whole folder, or only the
# HEADERS named when the folder is shared with another target.
function(tarvel_stage_headers name)
    cmake_parse_arguments(ARG "" "" "HEADERS" ${ARGN})
    file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR}/src ${CMAKE_CURRENT_SOURCE_DIR})
    if(folder MATCHES "^\\.\\.")
        file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
    endif()
    tarvel_include_root(${name} root)
    if(ARG_HEADERS)
        file(MAKE_DIRECTORY ${root}/${folder})
        foreach(header ${ARG_HEADERS})
            file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${root}/${folder}/${header} SYMBOLIC)
        endforeach()
    else()
        get_filename_component(parent ${root}/${folder} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
    endif()
endfunction()

# tarvel_library(NAME SOURCES... [HEADERS files...] [PUBLIC targets...] [PRIVATE targets...])
# Declares the library target of one source folder, with its include root (see above). PUBLIC
# names what the folder's headers include, PRIVATE what only its sources use, so the headers of a
# PRIVATE dependency stay out of reach of the targets that link this one.
function(tarvel_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;HEADERS;PUBLIC;PRIVATE" ${ARGN})
    if("DEPS" IN_LIST ARG_SOURCES)
        message(FATAL_ERROR "tarvel_library(${name}): name dependencies as PUBLIC or PRIVATE, not DEPS")
    endif()
    add_library(${name} STATIC ${ARG_SOURCES})
    tarvel_stage_headers(${name} HEADERS ${ARG_HEADERS})
    tarvel_include_root(${name} root)
    target_include_directories(${name} PUBLIC ${root})
    target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
endfunction()

# The real media files of other projects that some tests read; a worktree placed elsewhere names
# them with -DTARVEL_CORPUS=PATH. Tests that need them skip when they are missing.
set(TARVEL_CORPUS ${PROJECT_SOURCE_DIR}/../shared/corpus CACHE PATH "Folder of the shared media corpus")

# tarvel_test(NAME SOURCES... [DEPS targets...])
# One GoogleTest executable per tested folder; every test case becomes a CTest test. It sees the
# test support headers (tests/ is its include root) and the headers of the libraries it links.
function(tarvel_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} tarvel_testsupport GTest::gtest GTest::gmock)
    target_compile_definitions(${name} PRIVATE
        TARVEL_DIST_DIR="${TARVEL_DIST}"
        TARVEL_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
        TARVEL_CORPUS_DIR="${TARVEL_CORPUS}")
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TARVEL_AUDIO=null;TARVEL_PLATFORM=fake")
endfunction()
