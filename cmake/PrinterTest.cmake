# add_printer_test(<name> [PAGE|SANITIZED] SOURCES <files...> LIBS <targets...> [TIMEOUT s])
# Builds one QtTest executable and registers it with CTest, headless. PAGE
# marks tests that drive real pages, SANITIZED other tests of threads and
# memory; both also run in the sanitizer build (label "sanitized", built by
# the target sanitized_tests).
function(add_printer_test name)
  cmake_parse_arguments(T "PAGE;SANITIZED" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt5::Test ${T_LIBS})
  # The suite's QTRY limits, long enough for a loaded machine.
  target_compile_options(${name} PRIVATE -include ${PROJECT_SOURCE_DIR}/tests/common/trywait.h)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    # The Wi-Fi and update suites take minutes on a loaded machine (a stand-in
    # tool costs most of a second there).
    set(T_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;PRINTER_SIM_TOOLS=${PROJECT_SOURCE_DIR}/sim/tools")
  if(T_PAGE OR T_SANITIZED)
    set_tests_properties(${name} PROPERTIES LABELS sanitized)
    set_property(GLOBAL APPEND PROPERTY PRINTER_SANITIZED_TESTS ${name})
  endif()
endfunction()

# The sanitizer build: -DPRINTER_SANITIZE=address instruments everything.
if(PRINTER_SANITIZE)
  add_compile_options(-fsanitize=${PRINTER_SANITIZE} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${PRINTER_SANITIZE})
endif()
