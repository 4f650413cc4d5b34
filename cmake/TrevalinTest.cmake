# trevalin_add_test(NAME <name> SOURCES <files...> SUBSYSTEM <sub> [FORMS])
# One executable per test topic, registered with CTest. A test links the
# library of its own subsystem (its windows' library with FORMS) and sees the
# test helpers of the subsystems that library may use, so tests keep to the
# layers too. Every test runs with the offscreen platform so that no display is
# needed, and finds its golden files through TREVALIN_TEST_DATA.
function(trevalin_add_test)
  cmake_parse_arguments(T "FORMS" "NAME;SUBSYSTEM" "SOURCES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  set(raiz tests_${T_SUBSYSTEM})
  if(T_FORMS)
    set(raiz tests_${T_SUBSYSTEM}_forms)
    if(TARGET trevalin_${T_SUBSYSTEM}_forms)
      target_link_libraries(${T_NAME} PRIVATE trevalin_${T_SUBSYSTEM}_forms)
    else()
      target_link_libraries(${T_NAME} PRIVATE trevalin_${T_SUBSYSTEM} Qt6::Widgets)
    endif()
  else()
    target_link_libraries(${T_NAME} PRIVATE trevalin_${T_SUBSYSTEM})
  endif()
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_BINARY_DIR}/include/${raiz})
  target_compile_definitions(${T_NAME} PRIVATE
    TREVALIN_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    TREVALIN_RESOURCES="${PROJECT_SOURCE_DIR}/resources")
  # Tests that run the command-line tool as a real process find it here.
  if(TARGET trevalin-cli)
    target_compile_definitions(${T_NAME} PRIVATE TREVALIN_CLI="$<TARGET_FILE:trevalin-cli>")
    add_dependencies(${T_NAME} trevalin-cli)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TREVALIN_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data"
    TIMEOUT 300)
endfunction()
