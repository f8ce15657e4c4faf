# vyrax_gtest(NAME SOURCES... LIBS ...): a GoogleTest program registered with CTest.
function(vyrax_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()

# vyrax_qtest(NAME SOURCES... LIBS ...): a QtTest program on the offscreen platform.
function(vyrax_qtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# Adds every subfolder of the current folder that holds a CMakeLists.txt, so
# a new test or benchmark folder needs no edit here.
function(vyrax_subpastas)
  file(GLOB pastas LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT pastas)
  foreach(pasta IN LISTS pastas)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${pasta}/CMakeLists.txt)
      add_subdirectory(${pasta})
    endif()
  endforeach()
endfunction()
