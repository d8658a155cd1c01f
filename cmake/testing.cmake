# Test helpers: every test file is its own executable so CTest reports it on its own line.
#   vantrel_gtest(<name> <source> LIBS <libs...> LABELS <labels...>)   GoogleTest, no Qt
#   vantrel_qttest(<name> <source> LIBS <libs...> LABELS <labels...> [LAUNCHER <cmd...>]
#                  [PCH <holder>])                 Qt Test, run by cmd, on a shared header
# Test programs are compiled without optimisation: most of their compile time went into
# optimising assertion-heavy code that runs once, while the code under test keeps its flags.
set(VANTREL_TEST_CXX_FLAGS -O0)

function(vantrel_gtest name source)
    cmake_parse_arguments(T "" "" "LIBS;LABELS" ${ARGN})
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main vantrel_options)
    target_compile_options(${name} PRIVATE ${VANTREL_TEST_CXX_FLAGS})
    vantrel_pch_reuse(${name} vantrel_pch_gtest)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}" TIMEOUT 300)
endfunction()

function(vantrel_qttest name source)
    cmake_parse_arguments(T "" "PCH" "LIBS;LABELS;LAUNCHER" ${ARGN})
    add_executable(${name} ${source})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test vantrel_options)
    target_compile_options(${name} PRIVATE ${VANTREL_TEST_CXX_FLAGS})
    if(T_PCH)
        vantrel_pch_reuse(${name} ${T_PCH})
    endif()
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    add_test(NAME ${name} COMMAND ${T_LAUNCHER} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES LABELS "${T_LABELS}" TIMEOUT 300
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VANTREL_SIM=$<TARGET_FILE:vantrel-sim>;VANTREL_SOURCE_DIR=${PROJECT_SOURCE_DIR};XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/testconfig/${name}")
endfunction()
