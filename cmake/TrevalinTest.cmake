# trevalin_add_test(NAME <name> SOURCES <files...> [GUI])
# One executable per test topic, registered with CTest. Every test runs with
# the offscreen platform so that no display is needed, and finds its golden
# files through TREVALIN_TEST_DATA.
function(trevalin_add_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE trevalin_core Qt6::Test)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(T_GUI)
    target_link_libraries(${T_NAME} PRIVATE trevalin_gui)
  endif()
  target_compile_definitions(${T_NAME} PRIVATE
    TREVALIN_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    TREVALIN_RESOURCES="${PROJECT_SOURCE_DIR}/resources")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TREVALIN_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data"
    TIMEOUT 300)
endfunction()
