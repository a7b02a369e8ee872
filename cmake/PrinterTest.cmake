# add_printer_test(<name> SOURCES <files...> LIBS <targets...>)
# Builds one QtTest executable and registers it with CTest, headless.
function(add_printer_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 180)
  endif()
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PRINTER_SIM_TOOLS=${PROJECT_SOURCE_DIR}/sim/tools")
endfunction()
